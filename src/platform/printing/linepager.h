#pragma once

// The line counting the drawn documents use to place rows and break pages:
// line n starts at the top offset plus n times the pitch; a row may start on
// any line up to lastLine, a row that would start later goes to a new page.
class LinePager
{
public:
    LinePager(double top, double pitch, int lastLine)
        : m_top(top), m_pitch(pitch), m_lastLine(lastLine) {}

    double top() const { return m_top; }
    double pitch() const { return m_pitch; }
    int lastLine() const { return m_lastLine; }

    int line() const { return m_line; }
    void setLine(int line) { m_line = line; }
    void advance(int lines = 1) { m_line += lines; }
    void restart() { m_line = 0; }

    double y() const { return yOf(m_line); }
    double yOf(int line) const { return m_top + line * m_pitch; }

    // True when a row starting on the current line must go to a new page.
    bool pageFull() const { return m_line > m_lastLine; }
    // True when `lines` more lines starting here still end by lastLine.
    bool roomFor(int lines) const { return m_line + lines - 1 <= m_lastLine; }

    // How many pitches fit in a page height (the documents subtract their own reserve).
    static int linesIn(double pageHeight, double pitch) { return pitch > 0 ? int(pageHeight / pitch) : 0; }

private:
    double m_top;
    double m_pitch;
    int m_lastLine;
    int m_line = 0;
};
