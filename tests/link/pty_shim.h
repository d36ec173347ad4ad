// See pty_shim.cpp: pseudo-terminals as serial ports for the serial library.
#pragma once

namespace korv::test {
// The RTS state last set on a pseudo-terminal: 1 raised, 0 lowered, -1 never set.
int PtyShimRts();
} // namespace korv::test
