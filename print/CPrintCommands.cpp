#include "print/CPrintCommands.h"

#include "platform/Cp932.h"
#include "platform/File.h"
#include "platform/MessageBox.h"
#include "platform/ProfileStore.h"
#include "platform/QtText.h"
#include "platform/ShellOpen.h"
#include "print/PdfFile.h"
#include "quiz/QuestionRecord.h"

#include <QApplication>
#include <QUrl>

CPrintCommands::CPrintCommands(ProfileStore& profile, QWidget* pMain, ChosenSource chosen, Ask ask,
                               WallClock wallClock)
    : QObject(pMain), m_profile(profile), m_pMain(pMain), m_chosen(std::move(chosen)),
      m_ask(std::move(ask)), m_wallClock(std::move(wallClock))
{
    if (!m_ask)
        m_ask = [this](const QString& strFile, int nChosen, const PrintChoice& last) {
            CPrintDlg dlg(strFile, nChosen, last, m_pMain);
            return dlg.exec() == QDialog::Accepted ? std::optional(dlg.Choice()) : std::nullopt;
        };
}

void CPrintCommands::OnMenuPrint()
{
    const std::string strName = m_profile.Get(ProfileKeys::kQuestionFile);
    ChosenCountries chosen = m_chosen ? m_chosen() : ChosenCountries{};
    const std::optional<PrintChoice> choice =
        m_ask(ToQString(strName), int(chosen.codes.size()), m_last);
    if (!choice)
        return;
    m_last = *choice;

    PrintRequest request;
    request.kind = choice->kind;
    request.nContinent = choice->nContinent;
    request.options.paper = choice->paper;
    request.options.bAnswerKey = choice->bAnswerKey;
    if (choice->kind != PrintRequest::Kind::Map) {
        if (choice->bFromZukan) {
            request.codes = std::move(chosen.codes);
            request.questionFile = std::move(chosen.records);
            request.options.strSource = "国旗図鑑で選んだ国";
        } else {
            const std::optional<std::filesystem::path> path = PathInCurrentDir(strName);
            File file;
            if (!path || !file.Open(*path, File::modeRead) ||
                !file.Read(request.questionFile, file.GetLength())) {
                AfxMessageBox(
                    QStringLiteral("問題ファイル「%1」を読み込めません。").arg(ToQString(strName)),
                    MB_OK | MB_ICONSTOP);
                return;
            }
            request.options.strSource = Cp932::ToUtf8(strName);
        }
        if (request.questionFile.size() < kRecordSize && request.codes.empty()) {
            AfxMessageBox(QStringLiteral("印刷する問題がありません。"), MB_OK | MB_ICONSTOP);
            return;
        }
    }
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::current_path(ec);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const StampedFile made = WritePdf(folder, request, m_wallClock());
    QApplication::restoreOverrideCursor();
    if (!made.bWritten && made.strError.empty()) {
        AfxMessageBox(QStringLiteral("印刷するものがありません。"), MB_OK | MB_ICONSTOP);
        return;
    }
    if (!made.bWritten) {
        AfxMessageBox(QStringLiteral("PDFを書き込めませんでした（%1）。")
                          .arg(QString::fromLocal8Bit(made.strError.c_str())),
                      MB_OK | MB_ICONSTOP);
        return;
    }
    if (AfxMessageBox(
            QStringLiteral("「%1」を作りました。開きますか？").arg(ToQString(made.strName)),
            MB_YESNO | MB_ICONQUESTION) == IDYES)
        ShellExecuteOpen(QUrl::fromLocalFile(QString::fromStdString(Utf8FromPath(
                                                 folder / PathFromCp932(made.strName))))
                             .toString());
}
