#pragma once

#include <QString>
#include <QVector>
#include <QWidget>

namespace appearance {

// A list of named values drawn as a pie chart or as bars. The program fills no values, so a
// layout that places one shows an empty chart; AddItem exists for layouts that want one.
class CChartViewUI : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString view READ View WRITE SetView)
    Q_PROPERTY(QString shadowimage MEMBER shadowImage_)
    Q_PROPERTY(int shadowimageheight MEMBER shadowImageHeight_)
    Q_PROPERTY(QString pillarimage MEMBER pillarImage_)
    Q_PROPERTY(int pillarimagewidth MEMBER pillarImageWidth_)
    Q_PROPERTY(bool showhtml MEMBER showHtml_)
    Q_PROPERTY(bool showtext MEMBER showText_)
    Q_PROPERTY(int fontid MEMBER fontId_)
public:
    struct Item {
        QString name;
        double value = 0;
    };

    explicit CChartViewUI(QWidget* parent = nullptr);

    // "pie" (default) or "histpgram" (bars); anything else is taken as "pie".
    QString View() const { return view_; }
    void SetView(const QString& view);
    bool IsBarChart() const { return view_ == QLatin1String("histpgram"); }

    void AddItem(const QString& name, double value);
    void ClearItems();
    const QVector<Item>& Items() const { return items_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void PaintPie(class QPainter& painter, const QRect& area, double total);
    void PaintBars(class QPainter& painter, const QRect& area, double largest);

    QString view_ = QStringLiteral("pie");
    QString shadowImage_;
    int shadowImageHeight_ = 0;
    QString pillarImage_;
    int pillarImageWidth_ = 0;
    bool showHtml_ = false;
    bool showText_ = true;
    int fontId_ = -1;
    QVector<Item> items_;
};

}  // namespace appearance
