// The manual page --help prints.
#pragma once

extern const char* const kRenderHelp;
