// The note file "Memo.rtf" beside the executable: loaded into the editor once at start-up,
// written whole from it after every change.
#pragma once

#include <string>

#include "core/note_save.h"
#include "ui/rich_edit.h"

namespace notes {

class NoteFile final : private core::NoteFileSystem {
public:
    explicit NoteFile(ui::RichEdit& editor);
    NoteFile(const NoteFile&) = delete;
    NoteFile& operator=(const NoteFile&) = delete;

    // Loads `directory` + "Memo.rtf" into the editor, or makes the file empty when there is
    // none. Throws AppError when an existing file cannot be read; the editor then keeps what
    // the failed read left and its 64K-character default limit.
    void Load(const std::string& directory);
    // Writes the editor's whole content to the note file as RTF. Throws AppError with the
    // text the user sees when it could not; the file then keeps the last saved note.
    void Save(const std::string& directory);

private:
    bool FileExists(const std::string& path) override;
    bool IsReadOnly(const std::string& path) override;
    void CreateEmpty(const std::string& path) override;
    uint32_t TryOpenForWriting(const std::string& path) override;
    Written WriteNew(const std::string& path) override;
    Written WriteInPlace(const std::string& path) override;
    uint32_t Replace(const std::string& from, const std::string& to) override;
    void Delete(const std::string& path) override;
    std::vector<std::string> NamesStartingWith(const std::string& directory,
                                               std::string_view prefix) override;
    std::optional<std::string> Head(const std::string& path, std::size_t count) override;
    std::string ErrorText(uint32_t code) override;

    Written Write(const std::string& path, DWORD creation);

    ui::RichEdit& editor_;
    core::NoteSaver saver_;
};

}  // namespace notes
