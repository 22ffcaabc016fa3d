// A file the user names, written as a careful editor saves it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace geom {

// Makes `bytes` the whole content of the file at `path`. Symbolic links are followed to the file
// they name, created where it does not exist yet. Only a regular file is written, and never one of
// the program's own standard streams. A file is replaced whole, through a temporary file beside it
// that keeps the old file's owner, group, mode, ACL and extended attributes; a new one gets what
// the shell's > would give it. Where it cannot be replaced so (it has other hard links, or the
// folder or the owner forbid it), it is written in place, as the shell writes. A signal that ends
// the program removes the temporary file first; signal dispositions are left as they were found.
// Nothing when written; otherwise why not, in words.
[[nodiscard]] std::optional<std::string> saveFile(const std::string& path, std::string_view bytes);

} // namespace geom
