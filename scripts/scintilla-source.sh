# Sourced: the one source Scintilla.dll is built from. Debian's source package
# of SciTE carries Scintilla; scripts/build-scintilla.sh asks the archive for
# exactly this version and refuses an original tarball of any other SHA-256.
# A newer Scintilla is taken by changing all three lines together.
scite_package_version=5.3.3-1
scite_source_sha256=79275a4a7e01bf429ff05e0fd699b79dc016d705335b393905b4f2cc43799a64
scintilla_version=5.3.3
