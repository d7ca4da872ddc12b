#pragma once

#include <string>
#include <vector>

// `siteswap render S -o FILE [--size WxH] [--zoom fit|U] [--speed D] [--fps N] [--at T]
// [--then S2 [--switch-at T]]`: GIF (one loop, or a hand-over clip), PNG or SVG by the
// file's ending. Returns the exit status; messages go to standard error.
int runRenderCommand(const std::vector<std::string>& args);
