// Registers the library's public classes under their programmatic identifiers.
#pragma once

namespace kw {

class ClassRegistry;

// Registers "KW_UIShared.SharedProcedures", "KW_UIShared.I_FRM_Shared" and the library's other
// public classes with `registry`. Safe to call more than once.
void RegisterLibraryClasses(ClassRegistry& registry);
// Registers the library's public classes with the class registry in force.
void RegisterLibraryClasses();

}  // namespace kw
