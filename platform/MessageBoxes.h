#pragma once

#include <QString>

class QWidget;

namespace Orvane {

// Every message box of the program goes through this seam, so that tests can
// read what would be shown and answer it without a modal loop.
class MessageBoxes
{
public:
    enum class Icon { None, Information, Critical };
    enum class Buttons { Ok, YesNo };
    enum class Answer { Ok, Yes, No };

    virtual ~MessageBoxes() = default;

    // Shows a modal box titled with the application title. With YesNo,
    // defaultAnswer names the button that Enter presses: No where a reflex
    // Enter would throw away what the user typed.
    virtual Answer show(QWidget *parent, const QString &text, Icon icon,
                        Buttons buttons = Buttons::Ok, Answer defaultAnswer = Answer::Yes) = 0;
};

class QtMessageBoxes final : public MessageBoxes
{
public:
    Answer show(QWidget *parent, const QString &text, Icon icon, Buttons buttons,
                Answer defaultAnswer = Answer::Yes) override;
};

} // namespace Orvane
