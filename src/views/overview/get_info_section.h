// A collapsible section of the overview: a header with a disclosure chevron,
// the title and an optional accessory at its trailing end, and the content
// below it. Clicking the header toggles the section; an Alt (Option) click
// also reports optionToggled, so the owner can open or close the sibling
// sections with it.
#ifndef KESTRIX_VIEWS_OVERVIEW_GET_INFO_SECTION_H
#define KESTRIX_VIEWS_OVERVIEW_GET_INFO_SECTION_H

#include <QWidget>

class QHBoxLayout;
class QLabel;
class QVBoxLayout;

namespace kestrix {

class SectionHeader;

class GetInfoSection : public QWidget {
    Q_OBJECT
public:
    explicit GetInfoSection(const QString &title, QWidget *parent = nullptr);

    QString title() const;
    void setTitle(const QString &title);
    bool isExpanded() const { return expanded_; }
    // Shows or hides the content; reports expandedChanged when it changes.
    void setExpanded(bool expanded);
    void setContent(QWidget *content);
    void setAccessory(QWidget *accessory);
    SectionHeader *header() const { return header_; }

signals:
    void expandedChanged(bool expanded);
    // The header was Alt-clicked; `expanded` is the section's new state.
    void optionToggled(bool expanded);

private:
    bool expanded_ = true;
    SectionHeader *header_;
    QVBoxLayout *layout_;
    QWidget *content_ = nullptr;
};

// The clickable header row of a section.
class SectionHeader : public QWidget {
    Q_OBJECT
public:
    explicit SectionHeader(const QString &title, QWidget *parent = nullptr);

    QString title() const;
    void setTitle(const QString &title);
    void setExpanded(bool expanded);
    void setAccessory(QWidget *accessory);

signals:
    void clicked(Qt::KeyboardModifiers modifiers);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    bool expanded_ = true;
    bool hovered_ = false;
    QLabel *title_;
    QHBoxLayout *layout_;
    QWidget *accessory_ = nullptr;
};

} // namespace kestrix

#endif
