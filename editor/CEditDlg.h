#pragma once

#include "editor/QuestionEditor.h"

#include <QDialog>

#include <array>
#include <filesystem>
#include <optional>
#include <string>

class CFlagPreview;
class CPlacePreview;
class ProfileStore;
class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStringListModel;

// The question editor: lists the records of the configured question file by number, shows the
// chosen one, appends, rewrites and deletes records, and creates and deletes question files.
// "戻る" is the only way out: the close box runs 問削除, which holds the cancel role.
class CEditDlg : public QDialog
{
  public:
    explicit CEditDlg(ProfileStore& profile, QWidget* pParent = nullptr);

  protected:
    void reject() override;

  private:
    void CreateControls();

    void OnSelchangeQuestionNo();
    void OnAddQuestion();
    void OnUpdateQuestion();
    void OnDeleteQuestion();
    void OnNewFile();
    void OnDeleteFile();

    // The configured file in the current directory, both read afresh on every call; empty when
    // the configured name cannot be a file name here.
    std::optional<std::filesystem::path> QuestionPath() const;
    // The widgets' values as members would hold them; empty (after telling the user) when a
    // field holds text cp932 cannot represent.
    std::optional<EditMembers> SavedMembers() const;
    void RefreshFields();
    void UpdateFlagPreview();
    void FillNumbers(std::int64_t nCount, int nKeep);
    // Runs one operation on the configured file and tells the user when it fails.
    template <typename Operation> EditResult RunOnFile(Operation operation) const;
    void ReportFailure(const EditResult& result, const std::filesystem::path& path) const;
    int ChosenNumber() const;

    ProfileStore& m_profile;
    EditMembers m_members;
    std::string m_strFileName; // cp932, as the settings hold it

    QLabel* m_pFileName = nullptr;
    QComboBox* m_pNumber = nullptr;
    QStringListModel* m_pNumbers = nullptr;
    std::array<QLineEdit*, 5> m_fields{}; // the question block, then answers 1-4
    QButtonGroup* m_pCorrect = nullptr;
    QPushButton* m_pUpdate = nullptr;
    CFlagPreview* m_pFlagPreview = nullptr;
    CPlacePreview* m_pPlacePreview = nullptr;
};
