#pragma once

#include <QColor>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

namespace shell {

// The logic's view of one window: every control by its object name, with the state the logic
// sets (text, visibility, enabled, checked, colours, list items, extra properties). Windows in
// src/ui mirror it onto real widgets; tests and the command-line tool read it directly.
class FormState : public QObject
{
    Q_OBJECT
public:
    struct Control {
        QString text;
        bool visible = true;
        bool enabled = true;
        bool checked = false;
        QColor foreColor;
        QColor backColor;
        QStringList items;
        QString picture;    // picture boxes: the file shown instead of a text
        bool large = false; // the memory display: the large font of the editions without pictures
        int maximum = 100;  // progress bars
        int value = 0;
    };

    explicit FormState(const QString& formName, QObject* parent = nullptr);

    const QString& formName() const { return m_formName; }

    // Window caption.
    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);

    const Control& control(const QString& name) const;
    bool has(const QString& name) const { return m_controls.contains(name); }

    QString text(const QString& name) const { return control(name).text; }
    bool isVisible(const QString& name) const { return control(name).visible; }
    bool isEnabled(const QString& name) const { return control(name).enabled; }
    bool isChecked(const QString& name) const { return control(name).checked; }
    QStringList items(const QString& name) const { return control(name).items; }

    void setText(const QString& name, const QString& text);
    void setVisible(const QString& name, bool visible);
    void setEnabled(const QString& name, bool enabled);
    void setChecked(const QString& name, bool checked);
    void setForeColor(const QString& name, const QColor& color);
    void setBackColor(const QString& name, const QColor& color);
    void setItems(const QString& name, const QStringList& items);
    void addItem(const QString& name, const QString& item);
    void setPicture(const QString& name, const QString& path);
    void setLarge(const QString& name, bool large);
    void setProgress(const QString& name, int value, int maximum);
    void setProgress(const QString& name, int value) { setProgress(name, value, control(name).maximum); }
    void setFocus(const QString& name);

    // Widget edits flow back without echoing a change signal to the widget that made them.
    void takeTextFromUser(const QString& name, const QString& text);
    void takeCheckedFromUser(const QString& name, bool checked);

    QString focused() const { return m_focus; }

signals:
    void changed(const QString& name);
    void captionChanged(const QString& caption);
    void focusRequested(const QString& name);

private:
    Control& edit(const QString& name);

    QString m_formName;
    QString m_caption;
    QString m_focus;
    QHash<QString, Control> m_controls;
};

// All windows' states by form name, owned for the whole run.
class Forms
{
public:
    FormState& operator[](const QString& formName);

private:
    QHash<QString, std::shared_ptr<FormState>> m_forms;
};

} // namespace shell
