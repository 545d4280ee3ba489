#include "FormBinder.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QRadioButton>
#include <QTimeEdit>
#include <QWidget>

namespace ui {

namespace {

void applyColours(QWidget* w, const shell::FormState::Control& c)
{
    QString css;
    if (c.foreColor.isValid())
        css += QStringLiteral("color: %1;").arg(c.foreColor.name());
    if (c.backColor.isValid())
        css += QStringLiteral("background-color: %1;").arg(c.backColor.name());
    if (w->property("vtBaseStyle").isValid())
        css = w->property("vtBaseStyle").toString() + css;
    if (w->styleSheet() != css)
        w->setStyleSheet(css);
}

} // namespace

FormBinder::FormBinder(shell::FormState& state, QWidget* window) : QObject(window), m_state(state), m_window(window)
{
    connect(&m_state, &shell::FormState::changed, this, &FormBinder::apply);
    connect(&m_state, &shell::FormState::captionChanged, m_window, &QWidget::setWindowTitle);
    connect(&m_state, &shell::FormState::focusRequested, this, [this](const QString& name) {
        if (auto* w = qobject_cast<QWidget*>(find(name)))
            w->setFocus();
    });
    // Captions given when the widgets were built stand until the logic sets others.
    for (auto* b : m_window->findChildren<QAbstractButton*>())
        if (!b->objectName().isEmpty() && !b->text().isEmpty() && !m_state.has(b->objectName()))
            m_state.takeTextFromUser(b->objectName(), b->text());
    for (auto* l : m_window->findChildren<QLabel*>())
        if (!l->objectName().isEmpty() && !l->text().isEmpty() && !m_state.has(l->objectName()))
            m_state.takeTextFromUser(l->objectName(), l->text());
    for (auto* g : m_window->findChildren<QGroupBox*>())
        if (!g->objectName().isEmpty() && !g->title().isEmpty() && !m_state.has(g->objectName()))
            m_state.takeTextFromUser(g->objectName(), g->title());
    watchUserEdits();
}

QObject* FormBinder::find(const QString& name)
{
    auto it = m_cache.find(name);
    if (it != m_cache.end() && *it)
        return *it;
    QObject* obj = m_window->objectName() == name ? m_window : m_window->findChild<QObject*>(name);
    m_cache.insert(name, obj);
    return obj;
}

void FormBinder::applyAll()
{
    if (!m_state.caption().isEmpty())
        m_window->setWindowTitle(m_state.caption());
    for (QObject* obj : m_window->findChildren<QObject*>()) {
        const QString name = obj->objectName();
        if (!name.isEmpty() && m_state.has(name))
            apply(name);
    }
}

namespace {

void showLabel(QLabel* l, const shell::FormState::Control& c)
{
    if (c.picture.isEmpty()) {
        l->setText(c.text);
    } else if (l->property("vtPicture").toString() != c.picture) {
        l->setProperty("vtPicture", c.picture);
        QPixmap px(c.picture); // a missing picture leaves the box empty
        l->setPixmap(px);
        l->setScaledContents(!px.isNull());
    }
}

void fillCombo(QComboBox* cb, const shell::FormState::Control& c)
{
    QStringList current;
    for (int i = 0; i < cb->count(); ++i)
        current << cb->itemText(i);
    const QSignalBlocker block(cb);
    if (current != c.items) {
        cb->clear();
        cb->addItems(c.items);
    }
    if (cb->isEditable() && cb->currentText() != c.text)
        cb->setEditText(c.text);
}

// Rewrites item texts in place; the list grows or shrinks only at its end.
void fillList(QListWidget* lw, const QStringList& items)
{
    while (lw->count() > items.size())
        delete lw->takeItem(lw->count() - 1);
    for (int i = 0; i < items.size(); ++i) {
        if (i >= lw->count())
            lw->addItem(items.at(i));
        else if (lw->item(i)->text() != items.at(i))
            lw->item(i)->setText(items.at(i));
    }
}

} // namespace

void FormBinder::apply(const QString& name)
{
    QObject* obj = find(name);
    if (!obj)
        return;
    const shell::FormState::Control& c = m_state.control(name);

    if (auto* a = qobject_cast<QAction*>(obj)) {
        a->setText(c.text.isEmpty() ? a->text() : c.text);
        a->setVisible(c.visible);
        a->setEnabled(c.enabled);
        if (a->isCheckable())
            a->setChecked(c.checked);
        return;
    }
    if (auto* m = qobject_cast<QMenu*>(obj)) {
        if (!c.text.isEmpty())
            m->setTitle(c.text);
        m->menuAction()->setVisible(c.visible);
        m->menuAction()->setEnabled(c.enabled);
        return;
    }
    auto* w = qobject_cast<QWidget*>(obj);
    if (!w)
        return;
    if (w != m_window)
        w->setVisible(c.visible);
    w->setEnabled(c.enabled);

    if (auto* g = qobject_cast<QGroupBox*>(w)) {
        g->setTitle(c.text);
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        b->setText(c.text);
        if (b->isCheckable() && b->isChecked() != c.checked)
            b->setChecked(c.checked);
    } else if (auto* l = qobject_cast<QLabel*>(w)) {
        showLabel(l, c);
    } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
        if (e->text() != c.text)
            e->setText(c.text);
    } else if (auto* cb = qobject_cast<QComboBox*>(w)) {
        fillCombo(cb, c);
    } else if (auto* lw = qobject_cast<QListWidget*>(w)) {
        fillList(lw, c.items);
    } else if (auto* pb = qobject_cast<QProgressBar*>(w)) {
        pb->setMaximum(c.maximum);
        pb->setValue(c.value);
    } else if (auto* te = qobject_cast<QTimeEdit*>(w)) {
        const QTime t = QTime::fromString(c.text, QStringLiteral("hh:mm"));
        if (t.isValid())
            te->setTime(t);
    } else if (auto* de = qobject_cast<QDateEdit*>(w)) {
        const QDate d = QDate::fromString(c.text, QStringLiteral("dd.MM.yyyy"));
        if (d.isValid())
            de->setDate(d);
    }
    applyColours(w, c);
}

void FormBinder::watchUserEdits()
{
    // Called before the widgets exist as well: bind lazily through the window's children later.
    QMetaObject::invokeMethod(
        this,
        [this] {
            for (auto* cb : m_window->findChildren<QComboBox*>())
                connect(cb, &QComboBox::editTextChanged, this,
                        [this, cb](const QString& t) { m_state.takeTextFromUser(cb->objectName(), t); });
            for (auto* e : m_window->findChildren<QLineEdit*>()) {
                // The inner edits of combos and pickers are reported through their owners.
                if (qobject_cast<QComboBox*>(e->parent()) || qobject_cast<QAbstractSpinBox*>(e->parent()))
                    continue;
                connect(e, &QLineEdit::textEdited, this,
                        [this, e](const QString& t) { m_state.takeTextFromUser(e->objectName(), t); });
            }
            for (auto* b : m_window->findChildren<QAbstractButton*>())
                if (b->isCheckable())
                    connect(b, &QAbstractButton::toggled, this,
                            [this, b](bool on) { m_state.takeCheckedFromUser(b->objectName(), on); });
            for (auto* a : m_window->findChildren<QAction*>())
                if (a->isCheckable())
                    connect(a, &QAction::toggled, this,
                            [this, a](bool on) { m_state.takeCheckedFromUser(a->objectName(), on); });
            for (auto* de : m_window->findChildren<QDateEdit*>()) {
                if (qobject_cast<QTimeEdit*>(de))
                    continue;
                connect(de, &QDateEdit::dateChanged, this, [this, de](QDate d) {
                    m_state.takeTextFromUser(de->objectName(), d.toString(QStringLiteral("dd.MM.yyyy")));
                });
            }
            for (auto* te : m_window->findChildren<QTimeEdit*>())
                connect(te, &QTimeEdit::timeChanged, this, [this, te](QTime t) {
                    m_state.takeTextFromUser(te->objectName(), t.toString(QStringLiteral("hh:mm")));
                });
        },
        Qt::DirectConnection);
}

} // namespace ui
