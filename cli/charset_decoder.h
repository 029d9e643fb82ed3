// Decoding file comments in other charsets than UTF-8 for the terminal.
#pragma once

#include "BAN/sgf/sgf_reader.h"

namespace keldra {

// A decoder from the C library's iconv: GB2312, Shift_JIS and the other
// charsets it knows; nothing for a charset it does not know or bytes that are
// not valid in it.
CharsetDecoder IconvDecoder();

}  // namespace keldra
