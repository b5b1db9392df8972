// zlib's deflate as a raw stream (no zlib header or trailer): level 8, 32 KiB window, memLevel 8.
#include "core/deflate_stream.h"

#include <zlib.h>

#include <climits>

namespace {

constexpr int kLevel = 8;
constexpr int kRawWindowBits = -15;  // negative: raw deflate; 15: a 32 KiB window
constexpr int kMemLevel = 8;
constexpr std::size_t kOutputPiece = 64 * 1024;

}  // namespace

struct DeflateStream::State {
  z_stream z{};
  bool initialised = false;
  std::uint8_t output[kOutputPiece];

  ~State() {
    if (initialised) deflateEnd(&z);
  }
};

DeflateStream::DeflateStream() : state_(std::make_unique<State>()) {}

DeflateStream::~DeflateStream() = default;

bool DeflateStream::start() {
  State& s = *state_;
  // One compressor serves every entry of an archive; resetting it is much cheaper than a new one.
  if (s.initialised) {
    if (deflateReset(&s.z) != Z_OK) return false;
  } else {
    s.z = z_stream{};
    if (deflateInit2(&s.z, kLevel, Z_DEFLATED, kRawWindowBits, kMemLevel, Z_DEFAULT_STRATEGY) != Z_OK) return false;
    s.initialised = true;
  }
  // Output left over from an abandoned stream is dropped.
  s.z.next_out = s.output;
  s.z.avail_out = kOutputPiece;
  return true;
}

bool DeflateStream::feed(const std::uint8_t* data, std::size_t size, bool finish, const Emit& emit) {
  State& s = *state_;
  if (!s.initialised || size > UINT_MAX) return false;
  s.z.next_in = const_cast<Bytef*>(data);
  s.z.avail_in = static_cast<uInt>(size);
  const int flush = finish ? Z_FINISH : Z_NO_FLUSH;
  for (;;) {
    int rc = deflate(&s.z, flush);
    if (rc == Z_STREAM_ERROR) return false;
    std::size_t pending = kOutputPiece - s.z.avail_out;
    bool full = s.z.avail_out == 0;
    // Output is handed on in full pieces, and whatever is left when the stream ends.
    if ((full || rc == Z_STREAM_END) && pending > 0) {
      if (!emit(s.output, pending)) return false;
      s.z.next_out = s.output;
      s.z.avail_out = kOutputPiece;
    }
    if (rc == Z_STREAM_END) return true;
    if (!finish && s.z.avail_in == 0 && !full) return true;
  }
}
