// The page, count and password exchanges of the module commands, each tried like a page.
#pragma once

#include "commands/module_context.h"
#include "link/page_retry.h"

namespace korv {

// Page pageno into the port's reply buffer. On a ZADA module page 1 also brings the extra
// settings into the state (whenever a request went out, as the port hands them over).
bool ReadModulePage(ModuleContext& ctx, int pageno);
// The page assembled in the port's request buffer, to page pageno.
bool WriteModulePage(ModuleContext& ctx, int pageno);
// The module's card count, asked like a page: -1 only when every try failed. A single lost
// count would otherwise stop a read, or make a verify report counts that differ.
int ReadModuleCount(ModuleContext& ctx);
// True, once said to the person, when the count is more than a module holds: page 0 is erased
// or damaged, and a read or verify goes no further than the module's last page.
bool SayIfCountTooLarge(ModuleContext& ctx, int count);

} // namespace korv
