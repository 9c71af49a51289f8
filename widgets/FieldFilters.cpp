#include "FieldFilters.h"

#include <QCoreApplication>

namespace Orvane::FieldFilters {

namespace {

// The translation context of the messages.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(Orvane::FieldFilters)
};

constexpr ushort kBackspace = 8;
constexpr ushort kCarriageReturn = 13;
constexpr ushort kBlank = 32;

Verdict letThrough(QChar c)
{
    Verdict v;
    v.text = QString(c);
    return v;
}

Verdict refuse(const QString &message, MessageBoxes::Icon icon)
{
    Verdict v;
    v.accepted = false;
    v.message = message;
    v.icon = icon;
    return v;
}

Verdict alphabetKey(QChar typed)
{
    const ushort k = typed.unicode();
    if (k >= 'a' && k <= 'z')
        return letThrough(QChar(ushort(k - 32)));
    if (k >= 'A' && k <= 'Z')
        return letThrough(typed);
    if (k == kBlank || k == kCarriageReturn || k == kBackspace)
        return letThrough(typed);
    return refuse(alphabetMessage(), MessageBoxes::Icon::Information);
}

Verdict numberKey(QChar typed)
{
    const ushort k = typed.unicode();
    // "." and the digits; "/" lies between them and is refused.
    if (k >= '.' && k <= '9' && k != '/')
        return letThrough(typed);
    if (k == kBackspace)
        return letThrough(typed);
    return refuse(numberMessage(), MessageBoxes::Icon::None);
}

} // namespace

QString alphabetMessage()
{
    return Texts::tr("Please Enter Only Alphabet");
}

QString numberMessage()
{
    return Texts::tr("Please Enter Number");
}

QString emailMessage()
{
    return Texts::tr("Please Enter Correct Email Address !");
}

Verdict filterKey(Rule rule, QChar typed)
{
    switch (rule) {
    case Rule::Alphabet: return alphabetKey(typed);
    case Rule::Number: return numberKey(typed);
    case Rule::None: break;
    }
    return letThrough(typed);
}

Verdict filterText(Rule rule, const QString &text)
{
    Verdict result;
    result.text.reserve(text.size());
    for (const QChar c : text) {
        const Verdict one = filterKey(rule, c);
        if (!one.accepted)
            return one;
        if (rule != Rule::None
            && (c.unicode() == kBackspace || c.unicode() == kCarriageReturn))
            continue;
        result.text += one.text;
    }
    return result;
}

bool emailPasses(const QString &text)
{
    return text.isEmpty() || text.indexOf(QLatin1Char('@'), 1) >= 0;
}

bool nameIsEmpty(const QString &text)
{
    return text.isEmpty();
}

} // namespace Orvane::FieldFilters
