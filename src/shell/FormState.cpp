#include "FormState.h"

namespace shell {

FormState::FormState(const QString& formName, QObject* parent) : QObject(parent), m_formName(formName) {}

void FormState::setCaption(const QString& caption)
{
    if (m_caption == caption)
        return;
    m_caption = caption;
    emit captionChanged(caption);
}

const FormState::Control& FormState::control(const QString& name) const
{
    static const Control empty;
    auto it = m_controls.constFind(name);
    return it == m_controls.constEnd() ? empty : *it;
}

FormState::Control& FormState::edit(const QString& name)
{
    return m_controls[name];
}

#define VT_SET_FIELD(field, value)                                                                                     \
    Control& c = edit(name);                                                                                           \
    if (c.field == value)                                                                                              \
        return;                                                                                                        \
    c.field = value;                                                                                                   \
    emit changed(name)

void FormState::setText(const QString& name, const QString& text)
{
    VT_SET_FIELD(text, text);
}
void FormState::setVisible(const QString& name, bool visible)
{
    VT_SET_FIELD(visible, visible);
}
void FormState::setEnabled(const QString& name, bool enabled)
{
    VT_SET_FIELD(enabled, enabled);
}
void FormState::setChecked(const QString& name, bool checked)
{
    VT_SET_FIELD(checked, checked);
}
void FormState::setForeColor(const QString& name, const QColor& color)
{
    VT_SET_FIELD(foreColor, color);
}
void FormState::setBackColor(const QString& name, const QColor& color)
{
    VT_SET_FIELD(backColor, color);
}
void FormState::setItems(const QString& name, const QStringList& items)
{
    VT_SET_FIELD(items, items);
}

#undef VT_SET_FIELD

void FormState::addItem(const QString& name, const QString& item)
{
    edit(name).items.append(item);
    emit changed(name);
}

void FormState::setProp(const QString& name, const QString& key, const QVariant& value)
{
    Control& c = edit(name);
    if (c.props.value(key) == value && c.props.contains(key))
        return;
    c.props.insert(key, value);
    emit changed(name);
}

void FormState::setFocus(const QString& name)
{
    m_focus = name;
    emit focusRequested(name);
}

void FormState::takeTextFromUser(const QString& name, const QString& text)
{
    edit(name).text = text;
}

void FormState::takeCheckedFromUser(const QString& name, bool checked)
{
    edit(name).checked = checked;
}

FormState& Forms::operator[](const QString& formName)
{
    auto& slot = m_forms[formName];
    if (!slot)
        slot = std::make_shared<FormState>(formName);
    return *slot;
}

} // namespace shell
