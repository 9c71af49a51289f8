#pragma once

#include <QWidget>

class QTextBrowser;
class QUrl;

namespace Orvane {

// The user guide F1 opens: the README's part for users, built into the
// program at build time, shown in a window of its own beside the frame.
// It needs no file or network; its web addresses open in the browser like
// the maker's pages, its links to its own headings scroll there, and Esc
// closes it.
class UserGuide : public QWidget
{
    Q_OBJECT

public:
    explicit UserGuide(QWidget *parent = nullptr);

    // The guide as its Markdown text.
    static QString markdown();
    QTextBrowser *browser() const { return m_browser; }

private:
    void follow(const QUrl &link);

    QTextBrowser *m_browser = nullptr;
};

} // namespace Orvane
