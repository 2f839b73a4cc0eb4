#include "fluid_library.h"

#include <dlfcn.h>

#include <memory>

namespace glamora::media {

namespace {

std::unique_ptr<FluidLibrary> openFluidLibrary() {
  // Never closed: synthesisers live until the program ends.
  void* handle = dlopen(GLAMORA_FLUIDSYNTH_SONAME, RTLD_NOW | RTLD_LOCAL);
  if (!handle) return nullptr;
  auto library = std::make_unique<FluidLibrary>();
#define GLAMORA_FLUID_RESOLVE(name)                                          \
  library->name = reinterpret_cast<decltype(&::name)>(dlsym(handle, #name)); \
  if (!library->name) return nullptr;
  GLAMORA_FLUID_FUNCTIONS(GLAMORA_FLUID_RESOLVE)
#undef GLAMORA_FLUID_RESOLVE
  for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level)
    library->fluid_set_log_function(level, nullptr, nullptr);
  return library;
}

}  // namespace

const FluidLibrary* fluidLibrary() {
  static const std::unique_ptr<FluidLibrary> library = openFluidLibrary();
  return library.get();
}

}  // namespace glamora::media
