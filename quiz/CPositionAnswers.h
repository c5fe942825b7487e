#pragma once

#include <QWidget>

#include <array>
#include <functional>
#include <string>
#include <string_view>

// The answers of a position question, on a map the main window cannot draw itself (the map is a
// capability above the quiz): the application supplies one, and the main window shows it in the
// 解答群 area for a position question.
class CPositionAnswers : public QWidget
{
  public:
    using QWidget::QWidget;

    // Choosing: the candidates (catalogue codes in shown order) framed and numbered 1-4; a click
    // on one calls the chosen handler with its number. Pointing: the asked country's region with
    // nothing marked; a click or Enter calls the pointed handler with what it hit.
    virtual void ShowQuestion(const std::array<std::string, 4>& codes, std::string_view asked,
                              bool bPointing) = 0;
    // After the verdict, until the next question: the asked country in red with its name.
    virtual void Reveal() = 0;
    // A country's usual name, cp932.
    virtual std::string NameOf(std::string_view code) const = 0;

    void OnChosen(std::function<void(int)> fn) { m_onChosen = std::move(fn); }
    void OnPointed(std::function<void(std::string_view, bool)> fn) { m_onPointed = std::move(fn); }

  protected:
    void Choose(int nAnswer) const
    {
        if (m_onChosen)
            m_onChosen(nAnswer);
    }
    void Point(std::string_view code, bool bRight) const
    {
        if (m_onPointed)
            m_onPointed(code, bRight);
    }

  private:
    std::function<void(int)> m_onChosen;
    std::function<void(std::string_view, bool)> m_onPointed;
};
