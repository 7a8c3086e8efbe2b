// Downloading a URL to a file through wininet, which is bound at run time so
// that the program starts on systems without it.
#pragma once

#include <functional>

namespace EngineSupport {

// Saves what `url` names into `file`. False on any failure: no internet
// library, no connection, an HTTP status of 400 or above, a transfer that
// breaks off or ends short of its announced length, or a failed write. A
// failed transfer leaves no partial file behind. `libraryMissing` is set
// when wininet cannot be loaded, so the caller can say why. `goOn`, when
// given, is asked between the reads of the body (the engine pumps its
// messages there); when it says no, the transfer fails.
bool DownloadUrlToFile(const char* url, const char* file, bool& libraryMissing,
                       const std::function<bool()>& goOn = nullptr);

}  // namespace EngineSupport
