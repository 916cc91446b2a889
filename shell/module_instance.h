// The plug-in library's module handle, for the toolkit's resource lookups and window classes.
#pragma once

// Windows: the module handle (HINSTANCE) the loader hands to the library's attach routine, set
// at every loader notification. Linux: the load address of the library that holds the entry (or
// of the program, when the entry is linked into one), set while the library is being loaded.
// Null before either has happened. Written on the loader's thread, read afterwards.
extern void* gModuleInstance;
