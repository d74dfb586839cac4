#pragma once

#include <QString>

namespace core {

// Title of every message box that does not name its own.
inline QString applicationTitle()
{
    return QStringLiteral(" Houndry");
}

// Every message box of the program goes through here, so tests can read and answer them.
class Messages
{
public:
    virtual ~Messages() = default;
    // The stop icon warns of what cannot be undone; the question icon asks an ordinary
    // question.
    enum class Icon { Stop, Question };
    // The button Enter presses: No wherever Yes loses or risks something.
    enum class Default { No, Yes };

    virtual void ok(const QString &text, const QString &title) = 0;
    // Yes/No; true for Yes.
    virtual bool yesNo(const QString &text, const QString &title, Icon icon,
                       Default byDefault = Default::No) = 0;

    static Messages &instance();
    // Takes no ownership.
    static void install(Messages *messages);
};

inline void tell(const QString &text, const QString &title = applicationTitle())
{
    Messages::instance().ok(text, title);
}

// Yes/No with the stop icon, No the default; true for Yes.
inline bool ask(const QString &text, const QString &title = applicationTitle())
{
    return Messages::instance().yesNo(text, title, Messages::Icon::Stop);
}

// Yes/No with the question icon, No the default; true for Yes.
inline bool askQuestion(const QString &text, const QString &title = applicationTitle())
{
    return Messages::instance().yesNo(text, title, Messages::Icon::Question);
}

// Yes/No with the question icon, Yes the default: what a user almost always wants.
inline bool askYesFirst(const QString &text, const QString &title = applicationTitle())
{
    return Messages::instance().yesNo(text, title, Messages::Icon::Question,
                                      Messages::Default::Yes);
}

// A write that failed as a whole: says what could not be written, why, and that the files
// are as they were.
inline QString nothingChanged(const QString &what, const QString &problem)
{
    return QStringLiteral("%1 could not be written (%2). Nothing has been changed.")
        .arg(what, problem);
}

inline void tellNothingChanged(const QString &what, const QString &problem)
{
    tell(nothingChanged(what, problem));
}

} // namespace core
