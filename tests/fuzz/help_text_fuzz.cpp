// The how-to-play text's decoding on any bytes: UTF-8, Shift_JIS or the
// lossy fallback, never more characters than bytes, plain ASCII unchanged.
#include <QByteArray>
#include <QString>
#include <algorithm>
#include <cstdint>

#include "assets/text/help_text.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const QString text = glamora::decodeHelpText(bytes);
  FUZZ_CHECK(text.size() <= bytes.size());
  const bool ascii = std::all_of(data, data + size, [](std::uint8_t b) { return b < 0x80; });
  if (ascii) FUZZ_CHECK(text == QString::fromLatin1(bytes));
  return 0;
}
