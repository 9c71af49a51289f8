#include "EntryStyle.h"

namespace Orvane::EntryStyle {

QFont font()
{
    QFont f(QStringLiteral("Verdana"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSize(8);
    return f;
}

QFont boldFont()
{
    QFont f = font();
    f.setBold(true);
    return f;
}

QString styleSheet()
{
    return QStringLiteral(R"(
QFrame#Frame1 { background-color: #707070; color: #ffffff; }
QWidget#leftPanel, QStackedWidget#pages { background-color: #707070; color: #ffffff; }
QGroupBox {
    background-color: #707070; color: #ffffff; font-weight: bold;
    border: 1px solid #a8a8a8; border-radius: 3px; margin-top: 9px; padding-top: 6px;
}
QGroupBox::title {
    subcontrol-origin: margin; subcontrol-position: top left; left: 8px; padding: 0 3px;
    color: #ffffff; background-color: #707070;
}
QGroupBox:disabled, QGroupBox::title:disabled { color: #ffffff; }
QLabel { color: #ffffc0; background-color: transparent; }
QLabel:disabled { color: #e8e8b0; }
QLabel#Label3, QLabel#Label10 { color: #ffffff; }
QLabel#Label1 { color: #7cfc00; font-weight: bold; }
QLabel#Label20 { color: #ffff00; font-weight: bold; }
QLabel#lblToolHint, QLabel#lblItemHint { color: #7cfc00; }
QLabel#lblToolHint:disabled, QLabel#lblItemHint:disabled { color: #9acd80; }
QLineEdit, QPlainTextEdit, QComboBox {
    background-color: #ffffe1; color: #404040; border: 1px solid #505050;
    selection-background-color: #2a5599; selection-color: #ffffff;
}
QLineEdit, QComboBox { padding: 1px 3px; min-height: 17px; }
QLineEdit:disabled, QPlainTextEdit:disabled, QComboBox:disabled {
    background-color: #e6e6d2; color: #707070;
}
QLineEdit:focus, QPlainTextEdit:focus, QComboBox:focus { border: 1px solid #000080; }
QComboBox::drop-down {
    subcontrol-origin: padding; subcontrol-position: top right; width: 16px;
    border-left: 1px solid #505050; background-color: #d8d8d8;
}
QComboBox::down-arrow {
    width: 0; height: 0; border-left: 4px solid #d8d8d8; border-right: 4px solid #d8d8d8;
    border-top: 5px solid #303030;
}
QComboBox::down-arrow:disabled { border-top-color: #909090; }
QComboBox QAbstractItemView {
    background-color: #ffffe1; color: #404040;
    selection-background-color: #2a5599; selection-color: #ffffff;
}
QPushButton {
    background-color: #d8d8d8; color: #000000; border: 1px solid #404040;
    border-radius: 2px; padding: 3px 10px; min-height: 16px;
}
QPushButton:hover { background-color: #e6e6e6; }
QPushButton:pressed { background-color: #c0c0c0; }
QPushButton:focus { border: 2px solid #000080; }
QPushButton:disabled { background-color: #c4c4c4; color: #7a7a7a; border-color: #8a8a8a; }
QFrame#fraDowsingTool, QFrame#fraItemDowsing {
    background-color: #5a5a5a; color: #ffffff; border: 1px solid #c0c0c0; border-radius: 2px;
}
QScrollBar:vertical { background-color: #e0e0e0; width: 14px; }
QScrollBar::handle:vertical { background-color: #a8a8a8; min-height: 20px; }
)");
}

} // namespace Orvane::EntryStyle
