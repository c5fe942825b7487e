#pragma once

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QPainter;
struct MasteryPaths;

// The whole world with each country of the catalogue filled in the colour of its mastery state
// (StateColor), 要復習 hatched as well, small states as rings of that colour. Hovering names
// the country under the pointer with its state (tooltip and accessible description); a
// double-click asks for that country. The map is read when first painted.
class CMasteryMapView : public QWidget
{
  public:
    using CountryHandler = std::function<void(const std::string& code)>;

    explicit CMasteryMapView(QWidget* pParent = nullptr);
    ~CMasteryMapView() override;

    // By code: the state (0-3, Mastery) and what hovering says; countries not given are 未出題
    // with their name only.
    void SetCountries(std::vector<std::string> codes, std::vector<int> states,
                      std::vector<QString> texts);
    void SetDoubleClickHandler(CountryHandler handler) { m_onDoubleClick = std::move(handler); }

    // The catalogue code at a widget point (a ring counts for its small state); empty for the
    // sea and other land.
    std::string CodeAt(QPointF ptWidget);
    // Where a country is drawn, in widget coordinates; null point for a code the map lacks.
    QPointF PointOf(const std::string& code);
    QString TextOf(const std::string& code) const;
    // Paints the map onto a device of size, over the background.
    void Render(QPainter& painter, QSizeF size, const QBrush& background);

    QSize sizeHint() const override;

    // The states' colours (MasteryRgb); 要復習 is hatched over its colour as well.
    static QColor StateColor(int nState);
    static bool Hatched(int nState);
    static QBrush HatchBrush();

  protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;
    void leaveEvent(QEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    bool event(QEvent* pEvent) override;

  private:
    static QString DefaultDescription();
    MasteryPaths& Paths();
    QTransform MapToWidget(QSizeF size) const;
    int StateOf(std::size_t nMapCountry) const;

    std::vector<std::string> m_codes;
    std::vector<int> m_states;
    std::vector<QString> m_texts;
    std::vector<int> m_stateByMap; // per map country, built with the paths
    CountryHandler m_onDoubleClick;
    std::string m_strHovered;
    int m_nKeyed = -1; // the country the keys reached, in m_codes
};
