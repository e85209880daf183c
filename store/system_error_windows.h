#pragma once
#include <string>

// The system's text for the calling thread's last error (GetLastError), in UTF-8,
// without its closing full stop; Windows only.
std::string LastSystemError();
