// toric-combine's readers on whatever bytes come: a list in any encoding
// with any options, and a lens text alone. Built with AddressSanitizer and
// UBSan, so that no input may crash them, read outside their memory or
// overflow; and the decoder and the list's reading must give the same
// however the bytes are cut into pieces.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "list_reading.h"
#include "text_encoding.h"
#include "toric/lens_notation.h"

namespace {

// The options a command line could give, chosen by the first byte.
toric::ListOptions options_of(std::uint8_t choice) {
  toric::ListOptions options;
  options.csv = choice & 1;
  if (choice & 2) options.notation = toric::Notation::kPlain;
  if (choice & 4) options.values = toric::LensValues::kAny;
  options.fitting.form = static_cast<toric::CylinderForm>((choice >> 3) % 3);
  if (choice & 0x80) {
    options.fitting = {12, 10, 0.25, options.fitting.form};
  }
  if ((choice & 0x60) == 0x20) options.columns = {2, 0};
  if ((choice & 0x60) == 0x40) options.columns = {0, 1, 2, 3, 4, 5};
  if ((choice & 0x60) == 0x60) options.check = true;
  return options;
}

void decode_in_pieces(std::string_view bytes, std::size_t piece) {
  toric::TextDecoder whole;
  std::string text;
  whole.decode(bytes, true, text);
  toric::TextDecoder pieced;
  std::string pieced_text;
  for (std::size_t at = 0; at < bytes.size(); at += piece) {
    pieced.decode(bytes.substr(at, piece), false, pieced_text);
  }
  pieced.decode({}, true, pieced_text);
  if (pieced_text != text) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t choice = data[0];
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1),
                               size - 1);
  toric::read_lens(
      bytes, (choice & 4) ? toric::LensValues::kAny : toric::LensValues::kBars);
  toric::cell_of(bytes);
  // A few bytes at a time, more for a long list, so that it keeps its pace.
  const std::size_t piece = (1 + (choice >> 5)) * (1 + bytes.size() / 4096);
  decode_in_pieces(bytes, piece);

  // The list through the program's own reader, from a file in memory,
  // read whole and in pieces of a few bytes.
  static const int list = ::memfd_create("list", 0);
  static const int out_fd = ::memfd_create("out", 0);
  static const int err_fd = ::memfd_create("err", 0);
  if (list < 0 || out_fd < 0 || err_fd < 0) std::abort();
  const auto rewrite = [](int fd, std::string_view text) {
    if (::ftruncate(fd, 0) != 0 ||
        ::pwrite(fd, text.data(), text.size(), 0) !=
            static_cast<ssize_t>(text.size()) ||
        ::lseek(fd, 0, SEEK_SET) != 0) {
      std::abort();
    }
  };
  const auto contents = [](int fd) {
    std::string text(static_cast<std::size_t>(::lseek(fd, 0, SEEK_END)), '\0');
    if (::pread(fd, text.data(), text.size(), 0) !=
        static_cast<ssize_t>(text.size())) {
      std::abort();
    }
    return text;
  };
  // The status, the results and the errors.
  const auto written = [&](std::size_t piece) {
    rewrite(list, bytes);
    rewrite(out_fd, {});
    rewrite(err_fd, {});
    std::FILE* out = ::fdopen(::dup(out_fd), "w");
    std::FILE* err = ::fdopen(::dup(err_fd), "w");
    if (out == nullptr || err == nullptr) std::abort();
    const int status =
        toric::stream_list(list, "fuzz", options_of(choice), out, err, piece);
    std::fclose(out);
    std::fclose(err);
    return std::to_string(status) + '\0' + contents(out_fd) + '\0' +
           contents(err_fd);
  };
  if (written(1 << 16) != written(piece)) std::abort();
  return 0;
}
