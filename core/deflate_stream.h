// Raw deflate streams for archive entries; the one place where zlib's compressor is set up.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

class DeflateStream {
 public:
  // Receives each full piece of compressed output, and the rest when the stream finishes.
  using Emit = std::function<bool(const std::uint8_t* data, std::size_t size)>;

  DeflateStream();
  ~DeflateStream();
  DeflateStream(const DeflateStream&) = delete;
  DeflateStream& operator=(const DeflateStream&) = delete;

  // Starts a new stream; false when zlib cannot be set up.
  bool start();
  // Compresses a piece of input; with finish the stream is ended and flushed.
  // False when zlib fails or emit refuses the output.
  bool feed(const std::uint8_t* data, std::size_t size, bool finish, const Emit& emit);

 private:
  struct State;
  std::unique_ptr<State> state_;
};
