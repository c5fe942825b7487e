#pragma once

#include <QAbstractButton>
#include <QPixmap>

#include <string>

// One flag as an answer: the picture at the top of the button's box, centred across, a frame while
// the pointer is over it or it has focus. A click, or Space while focused, presses it as any
// button. The code stays inside: what a screen reader hears is the name and description set by the
// window.
class CFlagButton : public QAbstractButton
{
  public:
    explicit CFlagButton(QWidget* pParent);

    // Loads the picture for the button's size and the screen's scale; an empty code shows none.
    void SetCode(const std::string& code);
    const std::string& Code() const { return m_strCode; }

  protected:
    void paintEvent(QPaintEvent* pEvent) override;

  private:
    void Load();

    std::string m_strCode;
    QPixmap m_picture;
    qreal m_dLoadedRatio = 0; // the scale the picture was loaded for
};
