// Built twice: with GLAMORA_CHECKOUT_DATA_DIR into the program in the build
// tree, without it into the program that is installed.
#include "app/data_directory.h"

namespace glamora {

std::filesystem::path checkoutDataDirectory() {
#ifdef GLAMORA_CHECKOUT_DATA_DIR
  return GLAMORA_CHECKOUT_DATA_DIR;
#else
  return {};
#endif
}

}  // namespace glamora
