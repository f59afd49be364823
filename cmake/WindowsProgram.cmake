# The Windows program and its Wine-run tests; filled by the Windows build.
