#pragma once
// Native.ina, the device description file made on the device by Devprobe.
// Only its first 192 bytes are read: three blocks copied unchanged into the
// archive header; the file itself is never stored as an entry.

#include <string>

#include "base/console.h"
#include "archive/archive_header.h"
#include "builder/build_error.h"
#include "base/listing.h"

namespace builder {

/// Reads the first 192 bytes of the file that the listing of `folder`
/// reported as `entry` into `header`. Answers 0, 0x100000 when the file
/// cannot be opened, 0x200000 when it holds fewer than 192 bytes (a second
/// line gives the size found) or cannot be read, or 0x300000 when it is no
/// longer the file listed (replaced, or made a link, since); messages name
/// `message_path`. A longer file is read all the same, with a warning that
/// names its size: Devprobe writes exactly 192 bytes.
BuildErrorCode ReadNativeInfo(base::Folder& folder, const base::DirEntry& entry, const std::string& message_path,
                              base::Console& console, archive::ArchiveHeader* header);

/// True when `header` carries the placeholder description of the examples
/// (examples/demo/Native.ina), whose platform block begins with
/// kPlaceholderMarker: an archive made with it would not fit a real device.
bool HoldsPlaceholderNativeInfo(const archive::ArchiveHeader& header);

/// How the examples' placeholder Native.ina begins.
inline constexpr char kPlaceholderMarker[] = "PLACEHOLDER platform info";

}  // namespace builder
