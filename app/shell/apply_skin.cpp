#include "app/shell/apply_skin.h"

#include "app/platform/library_table.h"
#include "app/shell/carried_files.h"
#include "app/shell/write_bytes.h"

namespace {

// Fixed paths, whatever the machine's Windows folder is; the library is bound by its bare name, so
// the system's library search finds this copy unless the program folder holds one.
constexpr char kLibraryPath[] = "C:\\Windows\\jedata.dll";
constexpr char kSkinPath[] = "C:\\Windows\\win8.she";

ByteBuffer Bytes(const toolkit::EmbeddedFile& file) {
  return ByteBuffer(file.bytes, file.bytes + file.size);
}

}  // namespace

void ApplySkin() {
  // A file that cannot be written (no right, in use by a running copy) leaves the one already
  // there.
  const ByteBuffer library = Bytes(shell::kSkinEngineLibrary);
  WriteBytesToFile(kLibraryPath, {&library});
  const ByteBuffer skin = Bytes(shell::kSkinFile);
  WriteBytesToFile(kSkinPath, {&skin});
  CallSkinAttach(kSkinPath, "");
}
