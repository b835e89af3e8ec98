#include <algorithm>

#include "store/statement_text.h"
#include "store/statement_workbook.h"

namespace fiscora {
namespace {

// The bytes read at a time: a piece is cut after the last line end among them.
constexpr std::size_t kPieceBytes = std::size_t{1} << 20;

}  // namespace

StatementFileStatus StatementFileReader::open(const std::string& path) {
    switch (file_.open(path, OpenMode::ReadOnly, kStatementFileLimit)) {
    case ReadStatus::Ok: break;
    case ReadStatus::Missing: return StatementFileStatus::Missing;
    case ReadStatus::CannotOpen: return StatementFileStatus::CannotOpen;
    case ReadStatus::TooLarge: return StatementFileStatus::TooLarge;
    }
    carried_.resize(std::min(file_.size(), kPieceBytes));
    if (!file_.readAt(0, carried_.data(), carried_.size())) return StatementFileStatus::CannotOpen;
    offset_ = carried_.size();
    const WorkbookKind kind = workbookKindOf(carried_);
    if (kind == WorkbookKind::None) {
        carried_.erase(0, decoder_.start(carried_));
        return StatementFileStatus::Ok;
    }
    if (file_.size() > kWorkbookFileLimit) return StatementFileStatus::TooLarge;
    if (kind == WorkbookKind::Xls) {
        workbook_ = xlsSheetText(path, kWorkbookFileLimit);
    } else {
        std::string bytes(file_.size(), '\0');
        if (!file_.readAt(0, bytes.data(), bytes.size())) return StatementFileStatus::CannotOpen;
        workbook_ = xlsxSheetText(bytes, kWorkbookFileLimit);
    }
    carried_.clear();
    offset_ = file_.size();
    return workbook_ ? StatementFileStatus::Ok : StatementFileStatus::Unreadable;
}

bool StatementFileReader::appendNext(std::string& text) {
    if (workbook_) {
        text += *workbook_;
        workbook_.reset();
        return true;
    }
    for (;;) {
        const bool atEnd = offset_ >= file_.size();
        if (atEnd && carried_.empty()) return false;
        const std::size_t cut = atEnd ? carried_.size() : decoder_.cutOf(carried_);
        if (cut > 0) {
            decoder_.decode(std::string_view(carried_).substr(0, cut), text);
            carried_.erase(0, cut);
            return true;
        }
        // No line end yet: the line goes on in the next bytes.
        const std::size_t held = carried_.size();
        const std::size_t more = std::min(file_.size() - offset_, kPieceBytes);
        carried_.resize(held + more);
        if (!file_.readAt(offset_, carried_.data() + held, more)) {
            // The file shrank while it was read: what was read is all there is.
            carried_.resize(held);
            offset_ = file_.size();
            continue;
        }
        offset_ += more;
    }
}

StatementFile readStatementFile(const std::string& path) {
    StatementFile file;
    StatementFileReader reader;
    file.status = reader.open(path);
    if (file.status != StatementFileStatus::Ok) return file;
    while (reader.appendNext(file.text)) {
    }
    return file;
}

}  // namespace fiscora
