// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/CalendarFile.h"

// libicalvcal's header declares its functions without C linkage.
extern "C" {
#include <libical/icalvcal.h>
}
#include <libical/vcc.h>

#include <QRegularExpression>
#include <QStringList>

namespace {

// libicalvcal reports its syntax errors through a process-wide C callback.
QStringList* vcalErrors = nullptr;

void collectVcalError(char* message) {
    if (vcalErrors) {
        vcalErrors->append(QString::fromUtf8(message).simplified());
    }
}

char kAlarmSound[] = "file:///dev/null";
char kAlarmSoundType[] = "audio/basic";
char kAlarmText[] = "Alarm";

QList<QByteArray> physicalLines(QByteArray bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bytes.remove(0, 3);
    }
    QList<QByteArray> lines = bytes.split('\n');
    for (QByteArray& line : lines) {
        if (line.endsWith('\r')) {
            line.chop(1);
        }
    }
    if (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

bool isContinuation(const QByteArray& line) {
    return line.startsWith(' ') || line.startsWith('\t');
}

// The first line from `first` to `last` that is neither a continuation (folded, or a
// quoted-printable soft break) nor "name:value"; 0 when every line is.
int lineWithoutValue(const QList<QByteArray>& lines, int first, int last) {
    bool softBreak = false;
    for (int line = first; line <= last; ++line) {
        const QByteArray& text = lines[line - 1];
        if (softBreak || isContinuation(text) || text.trimmed().isEmpty()) {
            softBreak = softBreak && text.endsWith('=');
            continue;
        }
        const qsizetype colon = text.indexOf(':');
        if (colon < 0) {
            return line;
        }
        softBreak = text.left(colon).toUpper().contains("QUOTED-PRINTABLE") && text.endsWith('=');
    }
    return 0;
}

QString lineText(int line, const QString& text) {
    return QStringLiteral("line %1: %2").arg(line).arg(text);
}

icalcomponent* topOf(icalcomponent* component) {
    while (component && icalcomponent_get_parent(component)) {
        component = icalcomponent_get_parent(component);
    }
    return component;
}

QDateTime naked(const QDate& date, const QTime& time) {
    return QDateTime(date, time, QTimeZone::utc());
}

}  // namespace

CalendarFile::CalendarFile(const QByteArray& bytes) {
    lines_ = physicalLines(bytes);
    QList<Block> blocks;
    if (!scan(lines_, blocks)) {
        return;
    }
    if (vcalendar_) {
        readVCalendar(lines_, blocks);
    } else {
        QByteArray text = lines_.join("\r\n");
        text.append("\r\n");
        readICalendar(text, blocks);
    }
}

CalendarFile::~CalendarFile() {
    for (icalcomponent* root : roots_) {
        icalcomponent_free(root);
    }
}

bool CalendarFile::scan(const QList<QByteArray>& lines, QList<Block>& blocks) {
    struct Open {
        QByteArray kind;
        int line;
    };
    QList<Open> open;
    bool sawCalendar = false;
    for (int i = 0; i < lines.size(); ++i) {
        const int lineNumber = i + 1;
        if (isContinuation(lines[i])) {
            continue;
        }
        const QByteArray text = lines[i].trimmed();
        if (text.isEmpty()) {
            continue;
        }
        const QByteArray upper = text.toUpper();
        if (open.isEmpty() && upper != "BEGIN:VCALENDAR") {
            error_ = lineText(lineNumber, sawCalendar
                                              ? QStringLiteral("text after END:VCALENDAR")
                                              : QStringLiteral("this is no iCalendar or vCalendar "
                                                               "file: BEGIN:VCALENDAR is missing"));
            return false;
        }
        if (upper.startsWith("BEGIN:")) {
            const QByteArray kind = upper.mid(6).trimmed();
            if (open.size() == 1) {
                blocks.append(Block{kind, lineNumber, 0});
            }
            if (kind == "VCALENDAR") {
                if (!open.isEmpty()) {
                    error_ = lineText(lineNumber, QStringLiteral("a calendar inside a calendar"));
                    return false;
                }
                sawCalendar = true;
            }
            open.append(Open{kind, lineNumber});
        } else if (upper.startsWith("END:")) {
            const QByteArray kind = upper.mid(4).trimmed();
            if (open.last().kind != kind) {
                error_ = lineText(lineNumber, QStringLiteral("END:%1 where END:%2 should close the "
                                                             "BEGIN:%2 of line %3")
                                                  .arg(QString::fromLatin1(kind),
                                                       QString::fromLatin1(open.last().kind))
                                                  .arg(open.last().line));
                return false;
            }
            open.removeLast();
            if (open.size() == 1) {
                blocks.last().endLine = lineNumber;
            }
        } else if (open.size() == 1 && upper.startsWith("VERSION:")) {
            vcalendar_ = upper.mid(8).trimmed() == "1.0";
        }
    }
    if (!open.isEmpty()) {
        error_ = lineText(open.last().line, QStringLiteral("BEGIN:%1 is never closed by END:%1")
                                                .arg(QString::fromLatin1(open.last().kind)));
        return false;
    }
    if (!sawCalendar) {
        error_ = lineText(1, QStringLiteral("this is no iCalendar or vCalendar file: "
                                            "BEGIN:VCALENDAR is missing"));
        return false;
    }
    return true;
}

void CalendarFile::readICalendar(const QByteArray& text, const QList<Block>& blocks) {
    icalcomponent* root = icalparser_parse_string(text.constData());
    if (!root) {
        error_ = lineText(1, QStringLiteral("the calendar cannot be read"));
        return;
    }
    roots_.append(root);
    QList<icalcomponent*> calendars;
    if (icalcomponent_isa(root) == ICAL_VCALENDAR_COMPONENT) {
        calendars.append(root);
    } else {
        for (icalcomponent* c = icalcomponent_get_first_component(root, ICAL_VCALENDAR_COMPONENT);
             c; c = icalcomponent_get_next_component(root, ICAL_VCALENDAR_COMPONENT)) {
            calendars.append(c);
        }
    }
    QList<icalcomponent*> children;
    for (icalcomponent* calendar : calendars) {
        for (icalcomponent* c = icalcomponent_get_first_component(calendar, ICAL_ANY_COMPONENT); c;
             c = icalcomponent_get_next_component(calendar, ICAL_ANY_COMPONENT)) {
            children.append(c);
        }
    }
    // The parser keeps the components in file order, so the n-th child is the n-th block.
    if (children.size() != blocks.size()) {
        error_ = lineText(1, QStringLiteral("the calendar cannot be read"));
        return;
    }
    for (int i = 0; i < children.size(); ++i) {
        const icalcomponent_kind kind = icalcomponent_isa(children[i]);
        if (kind != ICAL_VEVENT_COMPONENT && kind != ICAL_VTODO_COMPONENT) {
            continue;
        }
        components_.append(
            CalendarComponent{children[i], blocks[i].beginLine, problemIn(children[i], blocks[i])});
    }
}

void CalendarFile::readVCalendar(const QList<QByteArray>& lines, const QList<Block>& blocks) {
    static const QRegularExpression atLine(QStringLiteral("^(.*) at line (\\d+)$"));
    icalvcal_defaults defaults{kAlarmSound, kAlarmSoundType, kAlarmText};
    registerMimeErrorHandler(collectVcalError);
    for (const Block& block : blocks) {
        if (block.kind != "VEVENT" && block.kind != "VTODO") {
            continue;
        }
        const icalcomponent_kind kind =
            block.kind == "VEVENT" ? ICAL_VEVENT_COMPONENT : ICAL_VTODO_COMPONENT;
        // A line without a colon is the common fault; the reader would only notice it a line
        // later (and drop memory on the way), so it is caught here.
        if (const int bad = lineWithoutValue(lines, block.beginLine + 1, block.endLine - 1)) {
            icalcomponent* empty = icalcomponent_new(kind);
            roots_.append(empty);
            components_.append(CalendarComponent{
                empty, block.beginLine,
                lineText(bad, QStringLiteral("this line cannot be read (it has no \":\" between "
                                             "name and value)"))});
            continue;
        }
        // Each component alone inside a calendar of its own: the first two lines are the
        // wrapper, so the component's BEGIN is line 3 of what the reader sees.
        QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:1.0\r\n";
        for (int line = block.beginLine; line <= block.endLine; ++line) {
            text += lines[line - 1] + "\r\n";
        }
        text += "END:VCALENDAR\r\n";

        QStringList errors;
        vcalErrors = &errors;
        VObject* object = Parse_MIME(text.constData(), static_cast<unsigned long>(text.size()));
        icalcomponent* root = object ? icalvcal_convert_with_defaults(object, &defaults) : nullptr;
        vcalErrors = nullptr;
        if (object) {
            cleanVObject(object);
        }
        icalcomponent* component = nullptr;
        if (root) {
            roots_.append(root);
            component = icalcomponent_isa(root) == kind
                            ? root
                            : icalcomponent_get_first_component(root, kind);
        }
        QString problem;
        for (const QString& message : errors) {
            // The reader says this at the end of every input; it is no fault of the file.
            if (message.startsWith(QLatin1String("pop on empty Object Stack"))) {
                continue;
            }
            const QRegularExpressionMatch match = atLine.match(message);
            problem =
                match.hasMatch()
                    ? lineText(
                          block.beginLine + match.captured(2).toInt() - 3,
                          QStringLiteral("this line cannot be read (%1)").arg(match.captured(1)))
                    : lineText(block.beginLine, message);
            break;
        }
        if (!component) {
            component = icalcomponent_new(block.kind == "VEVENT" ? ICAL_VEVENT_COMPONENT
                                                                 : ICAL_VTODO_COMPONENT);
            roots_.append(component);
            if (problem.isEmpty()) {
                problem = lineText(block.beginLine, QStringLiteral("it cannot be read"));
            }
        }
        if (problem.isEmpty()) {
            problem = problemIn(component, block);
        }
        components_.append(CalendarComponent{component, block.beginLine, problem});
    }
    registerMimeErrorHandler(nullptr);
}

// The first error libical noted inside the component, with the line it most likely stands on:
// the messages end with the text that could not be read.
QString CalendarFile::problemIn(icalcomponent* component, const Block& block) const {
    static const QRegularExpression propertyName(QStringLiteral("in ([A-Za-z0-9-]+) property"));
    QList<icalcomponent*> pending{component};
    while (!pending.isEmpty()) {
        icalcomponent* c = pending.takeFirst();
        for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_XLICERROR_PROPERTY); p;
             p = icalcomponent_get_next_property(c, ICAL_XLICERROR_PROPERTY)) {
            icalparameter* type = icalproperty_get_first_parameter(p, ICAL_XLICERRORTYPE_PARAMETER);
            // Properties vCalendar knows and iCalendar does not (ENCODING, CHARSET) are only
            // dropped: the values were decoded already.
            if (type &&
                icalparameter_get_xlicerrortype(type) == ICAL_XLICERRORTYPE_UNKNOWNVCALPROPERROR) {
                continue;
            }
            const QString message = QString::fromUtf8(icalproperty_get_xlicerror(p)).simplified();
            const qsizetype colon = message.lastIndexOf(QLatin1String(": "));
            const QString tail = colon < 0 ? QString() : message.mid(colon + 2);
            const QRegularExpressionMatch named = propertyName.match(message);
            const QString name = named.hasMatch() ? named.captured(1) : QString();
            int found = block.beginLine;
            for (int line = block.beginLine; line <= block.endLine && !tail.isEmpty(); ++line) {
                QString logical = QString::fromUtf8(lines_[line - 1]);
                for (int next = line + 1; next <= block.endLine && isContinuation(lines_[next - 1]);
                     ++next) {
                    logical += QString::fromUtf8(lines_[next - 1].mid(1));
                }
                if (logical.contains(tail) &&
                    (name.isEmpty() || logical.startsWith(name, Qt::CaseInsensitive))) {
                    found = line;
                    break;
                }
            }
            return lineText(found, message);
        }
        for (icalcomponent* child = icalcomponent_get_first_component(c, ICAL_ANY_COMPONENT); child;
             child = icalcomponent_get_next_component(c, ICAL_ANY_COMPONENT)) {
            pending.append(child);
        }
    }
    return {};
}

QList<CalendarComponent> CalendarFile::components(icalcomponent_kind kind) const {
    QList<CalendarComponent> out;
    for (const CalendarComponent& c : components_) {
        if (icalcomponent_isa(c.component) == kind) {
            out.append(c);
        }
    }
    return out;
}

std::optional<QDateTime> CalendarFile::wallClock(icalproperty* property, icaltimetype time,
                                                 const QTimeZone& zone, bool floating) const {
    if (icaltime_is_null_time(time)) {
        return std::nullopt;
    }
    const QDate date(time.year, time.month, time.day);
    const QTime clock =
        time.is_date ? QTime(0, 0) : QTime(time.hour, time.minute, qMin(time.second, 59));
    if (!date.isValid() || !clock.isValid()) {
        return std::nullopt;
    }
    if (time.is_date || floating) {
        return naked(date, clock);
    }
    QDateTime absolute;
    if (icaltime_is_utc(time)) {
        absolute = QDateTime(date, clock, QTimeZone::utc());
    } else {
        icalparameter* tzidParameter =
            property ? icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER) : nullptr;
        const char* tzid = tzidParameter ? icalparameter_get_tzid(tzidParameter) : nullptr;
        if (!tzid) {
            return naked(date, clock);
        }
        icaltimezone* icalZone = nullptr;
        if (icalcomponent* top = topOf(property ? icalproperty_get_parent(property) : nullptr)) {
            icalZone = icalcomponent_get_timezone(top, tzid);
        }
        if (!icalZone) {
            icalZone = icaltimezone_get_builtin_timezone(tzid);
        }
        if (icalZone) {
            icaltimetype zoned = time;
            icaltime_set_timezone(&zoned, icalZone);
            const icaltimetype utc =
                icaltime_convert_to_zone(zoned, icaltimezone_get_utc_timezone());
            absolute =
                QDateTime(QDate(utc.year, utc.month, utc.day),
                          QTime(utc.hour, utc.minute, qMin(utc.second, 59)), QTimeZone::utc());
        } else {
            const QTimeZone named{QByteArray(tzid)};
            if (!named.isValid()) {
                return naked(date, clock);
            }
            absolute = QDateTime(date, clock, named);
        }
    }
    const QDateTime local = absolute.toTimeZone(zone);
    return naked(local.date(), local.time());
}
