#include "questionfile/CQuestionFileMenu.h"

#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/QtText.h"
#include "questionfile/QuestionFileChoice.h"

#include <QFileInfo>

#include <filesystem>

CQuestionFileMenu::CQuestionFileMenu(ProfileStore& profile, QObject* pParent)
    : QObject(pParent), m_profile(profile)
{
}

void CQuestionFileMenu::OnMenuOpenQuestion()
{
    const QString chosen = RunFileDialog(FileDialogKind::OpenQuestion);
    if (chosen.isEmpty())
        return;
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::current_path(ec);
    const QuestionFileChoice choice = ChooseQuestionFile(m_profile, folder, ToPath(chosen));
    AfxMessageBox(
        QString::fromStdString(ChoiceMessage(QFileInfo(chosen).fileName().toStdString(), choice)),
        choice.Ok() ? MB_OK | MB_ICONINFORMATION : MB_OK | MB_ICONSTOP);
}
