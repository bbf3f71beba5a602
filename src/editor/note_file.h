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
    void Load(const std::wstring& directory);
    // Writes the editor's whole content to the note file as RTF. Throws AppError with the
    // text the user sees when it could not; the file then keeps the last saved note.
    void Save(const std::wstring& directory);

private:
    bool FileExists(const std::wstring& path) override;
    bool IsReadOnly(const std::wstring& path) override;
    void CreateEmpty(const std::wstring& path) override;
    uint32_t TryOpenForWriting(const std::wstring& path) override;
    Written WriteNew(const std::wstring& path) override;
    Written WriteInPlace(const std::wstring& path) override;
    uint32_t Replace(const std::wstring& from, const std::wstring& to) override;
    void Delete(const std::wstring& path) override;
    std::vector<std::wstring> NamesStartingWith(const std::wstring& directory,
                                                std::wstring_view prefix) override;
    std::optional<std::string> Head(const std::wstring& path, std::size_t count) override;
    std::wstring ErrorText(uint32_t code) override;

    Written Write(const std::wstring& path, DWORD creation);

    ui::RichEdit& editor_;
    core::NoteSaver saver_;
};

}  // namespace notes
