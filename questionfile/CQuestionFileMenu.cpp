#include "questionfile/CQuestionFileMenu.h"

#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/QtText.h"
#include "questionfile/QuestionFileChoice.h"
#include "quiz/RoundFile.h"

#include <QFileInfo>

#include <filesystem>

namespace {

QString ProblemText(const QuestionFileChoice& choice)
{
    const QuestionFileCheck& check = choice.check;
    const QString error = QString::fromLocal8Bit(choice.strError.c_str());
    switch (check.problem) {
    case QuestionFileProblem::None:
        break;
    case QuestionFileProblem::Unreadable:
        return QStringLiteral("ファイルを読み込めません（%1）。").arg(error);
    case QuestionFileProblem::NotRegular:
        return ToQString(NotRegularText());
    case QuestionFileProblem::NoRecord:
        return ToQString(LengthProblemText(LengthProblem::NoRecord, check.nLength));
    case QuestionFileProblem::PartialRecord:
        return ToQString(LengthProblemText(LengthProblem::PartialRecord, check.nLength));
    case QuestionFileProblem::Marker:
        return QStringLiteral("%1問目の解答に、正解の印「*」がちょうど1つ付いていません。")
            .arg(check.nBadRecord);
    case QuestionFileProblem::NotTxt:
        return QStringLiteral("問題ファイルの名前は「.txt」で終わります。");
    case QuestionFileProblem::ReservedName:
        return QStringLiteral("「ReadMe.txt」は説明書の名前なので、問題ファイルにできません。");
    case QuestionFileProblem::NameNotStorable:
        return QStringLiteral("ファイル名に、設定ファイルに書けない文字（Shift-JIS にない文字、"
                              "制御文字、先頭の空白）があります。名前を変えてから開いてください。");
    case QuestionFileProblem::WriteFailed:
        return QStringLiteral("コピーか設定ファイルへの書き込みができませんでした（%1）。")
            .arg(error);
    }
    return QString();
}

} // namespace

CQuestionFileMenu::CQuestionFileMenu(ProfileStore& profile, QObject* pParent)
    : QObject(pParent), m_profile(profile)
{
}

QString CQuestionFileMenu::ChoiceText(const QString& fileName, const QuestionFileChoice& choice)
{
    if (!choice.Ok())
        return QStringLiteral("「%1」を問題ファイルにできません。\n%2")
            .arg(fileName, ProblemText(choice));
    const QString name = ToQString(choice.strName);
    const QString count = QString::number(choice.check.nRecords);
    if (choice.bCopied && name != fileName)
        return QStringLiteral("「%1」をこのフォルダに「%2」としてコピーし、問題ファイルにしました"
                              "（%3問）。")
            .arg(fileName, name, count);
    if (choice.bCopied)
        return QStringLiteral("「%1」をこのフォルダにコピーし、問題ファイルにしました（%2問）。")
            .arg(name, count);
    return QStringLiteral("「%1」を問題ファイルにしました（%2問）。").arg(name, count);
}

void CQuestionFileMenu::OnMenuOpenQuestion()
{
    const QString chosen = RunFileDialog(FileDialogKind::OpenQuestion);
    if (chosen.isEmpty())
        return;
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::current_path(ec);
    const QuestionFileChoice choice = ChooseQuestionFile(m_profile, folder, ToPath(chosen));
    AfxMessageBox(ChoiceText(QFileInfo(chosen).fileName(), choice),
                  choice.Ok() ? MB_OK | MB_ICONINFORMATION : MB_OK | MB_ICONSTOP);
}
