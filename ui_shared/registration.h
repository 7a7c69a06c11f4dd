// Registers the library's public classes under their programmatic identifiers.
#pragma once

namespace kw {

// Registers "KW_UIShared.SharedProcedures", "KW_UIShared.I_FRM_Shared" and the library's other
// public classes with the class registry in force. Safe to call more than once.
void RegisterLibraryClasses();

}  // namespace kw
