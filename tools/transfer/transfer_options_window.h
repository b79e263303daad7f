#pragma once
// The transfer options window ("File Transfer Calculator Options"), modal to
// the transfer test window: the test file's size and whether to delete it.
#include <windows.h>

#include <cstdint>
#include <optional>

#include "tools/transfer/transfer_options.h"

namespace tallix::transfer {

// Opens with `proposal`; OK with a size the folder has room for
// (`freeBytes`, when known) returns it, Cancel, Esc or a size of 0 or no
// number return a file size of 0. A refused size keeps the window open with
// a message.
TransferChoice AskTransferOptions(HWND owner, const TransferChoice& proposal, std::optional<std::uint64_t> freeBytes);

}  // namespace tallix::transfer
