#pragma once
// How a file was saved, as far as the game and the loader care: they read bytes, one
// character per byte. A byte-order mark becomes part of the first line (a header there is no
// header), a UTF-16 text is no text they can read at all, and on Windows each byte of a UTF-8
// character is a character of its own.
#include <optional>
#include <string>

namespace orvo::cli {

// What the game and the loader do not see of a text that begins with a byte-order mark
// (UTF-8 EF BB BF, UTF-16 FF FE or FE FF), with what to do about it, in a sentence that
// begins with argument; nullopt for a text without a mark.
std::optional<std::string> ByteOrderMarkNote(const std::string& text, const std::string& argument);

// Whether text holds a character beyond ASCII and is well-formed UTF-8: what an editor that
// saves UTF-8 writes, and what a one-byte code page rarely gives by chance.
bool IsUtf8BeyondAscii(const std::string& text);

}  // namespace orvo::cli
