// SPDX-License-Identifier: GPL-3.0-or-later
// The state as JSON: the simulated phone's saved file and the tests' fixtures.

#include "phonesim/PhoneSimState.h"

#include <QJsonArray>

namespace {

int intOr(const QJsonObject& json, const char* key, int fallback) {
    const QJsonValue value = json.value(QLatin1String(key));
    return value.isDouble() ? value.toInt() : fallback;
}

QString stringOr(const QJsonObject& json, const char* key, const QString& fallback) {
    const QJsonValue value = json.value(QLatin1String(key));
    return value.isString() ? value.toString() : fallback;
}

int defaultTypeOf(const QString& dial) {
    return dial.startsWith(u'+') ? 145 : 129;
}

PhoneSimPhonebook phonebookFromJson(const QJsonObject& json, const PhoneSimPhonebook& fallback) {
    PhoneSimPhonebook book = fallback;
    book.capacity = intOr(json, "capacity", fallback.capacity);
    if (json.contains(QLatin1String("entries"))) {
        book.entries.clear();
        for (const QJsonValue& value : json.value(QLatin1String("entries")).toArray()) {
            const QJsonObject entry = value.toObject();
            const int index = intOr(entry, "index", 0);
            if (index < 1)
                continue;
            const QString dial = stringOr(entry, "dial", {});
            book.entries[index] = {dial, intOr(entry, "type", defaultTypeOf(dial)),
                                   stringOr(entry, "name", {})};
        }
    }
    return book;
}

QJsonObject phonebookToJson(const PhoneSimPhonebook& book) {
    QJsonArray entries;
    for (const auto& [index, entry] : book.entries)
        entries.append(QJsonObject{
            {"index", index}, {"dial", entry.dial}, {"type", entry.type}, {"name", entry.name}});
    return {{"capacity", book.capacity}, {"entries", entries}};
}

void readSendParameters(const QJsonObject& json, PhoneSimMessage* message) {
    message->firstOctet = intOr(json, "firstOctet", message->firstOctet);
    message->protocolId = intOr(json, "protocolId", message->protocolId);
    message->validity = intOr(json, "validity", message->validity);
}

PhoneSimMessage messageFromJson(const QJsonObject& object) {
    PhoneSimMessage message;
    message.status = stringOr(object, "status", message.status);
    message.address = stringOr(object, "address", {});
    message.addressType = intOr(object, "addressType", defaultTypeOf(message.address));
    message.timestamp = stringOr(object, "timestamp", {});
    message.text = stringOr(object, "text", {});
    readSendParameters(object, &message);
    message.announcedLength = intOr(object, "announcedLength", -1);
    message.omitHeaderDetails = object.value(QLatin1String("omitHeaderDetails")).toBool(false);
    message.pdu = stringOr(object, "pdu", {});
    return message;
}

QJsonObject messageToJson(const PhoneSimMessage& message) {
    return {{"status", message.status},
            {"address", message.address},
            {"addressType", message.addressType},
            {"timestamp", message.timestamp},
            {"text", message.text},
            {"firstOctet", message.firstOctet},
            {"protocolId", message.protocolId},
            {"validity", message.validity},
            {"announcedLength", message.announcedLength},
            {"omitHeaderDetails", message.omitHeaderDetails}};
}

PhoneSimMessageStorage messagesFromJson(const QJsonObject& json,
                                        const PhoneSimMessageStorage& fallback) {
    PhoneSimMessageStorage storage = fallback;
    storage.capacity = intOr(json, "capacity", fallback.capacity);
    if (json.contains(QLatin1String("messages"))) {
        storage.messages.clear();
        for (const QJsonValue& value : json.value(QLatin1String("messages")).toArray()) {
            const QJsonObject object = value.toObject();
            const int index = intOr(object, "index", 0);
            if (index < 1)
                continue;
            storage.messages[index] = messageFromJson(object);
        }
    }
    return storage;
}

QJsonObject messagesToJson(const PhoneSimMessageStorage& storage) {
    QJsonArray messages;
    for (const auto& [index, message] : storage.messages) {
        QJsonObject object = messageToJson(message);
        if (!message.pdu.isEmpty())
            object.insert(QLatin1String("pdu"), message.pdu);
        object.insert("index", index);
        messages.append(object);
    }
    return {{"capacity", storage.capacity}, {"messages", messages}};
}

PhoneSimScheduleEntry scheduleEntryFromJson(const QJsonObject& json) {
    PhoneSimScheduleEntry entry;
    entry.type = intOr(json, "type", entry.type);
    entry.alarm = intOr(json, "alarm", entry.alarm);
    entry.year = intOr(json, "year", entry.year);
    entry.month = intOr(json, "month", entry.month);
    entry.day = intOr(json, "day", entry.day);
    entry.hour = intOr(json, "hour", entry.hour);
    entry.minute = intOr(json, "minute", entry.minute);
    entry.alarmHour = intOr(json, "alarmHour", entry.alarmHour);
    entry.alarmMinute = intOr(json, "alarmMinute", entry.alarmMinute);
    entry.contents = stringOr(json, "contents", {});
    return entry;
}

QJsonObject scheduleEntryToJson(int index, const PhoneSimScheduleEntry& entry) {
    return {{"index", index},
            {"type", entry.type},
            {"alarm", entry.alarm},
            {"year", entry.year},
            {"month", entry.month},
            {"day", entry.day},
            {"hour", entry.hour},
            {"minute", entry.minute},
            {"alarmHour", entry.alarmHour},
            {"alarmMinute", entry.alarmMinute},
            {"contents", entry.contents}};
}

PhoneSimTodoItem todoFromJson(const QJsonObject& json) {
    PhoneSimTodoItem item;
    item.status = intOr(json, "status", item.status);
    item.priority = intOr(json, "priority", item.priority);
    item.year = intOr(json, "year", item.year);
    item.month = intOr(json, "month", item.month);
    item.day = intOr(json, "day", item.day);
    item.contents = stringOr(json, "contents", {});
    item.doneDate = stringOr(json, "doneDate", {});
    item.doneTime = stringOr(json, "doneTime", {});
    return item;
}

QJsonObject todoToJson(int index, const PhoneSimTodoItem& item) {
    return {{"index", index},
            {"status", item.status},
            {"priority", item.priority},
            {"year", item.year},
            {"month", item.month},
            {"day", item.day},
            {"contents", item.contents},
            {"doneDate", item.doneDate},
            {"doneTime", item.doneTime}};
}

}  // namespace

PhoneSimState PhoneSimState::fromJson(const QJsonObject& json) {
    PhoneSimState state;
    state.maker = stringOr(json, "maker", state.maker);
    state.featureMask = intOr(json, "featureMask", state.featureMask);
    if (json.value(QLatin1String("echo")).isBool())
        state.echo = json.value(QLatin1String("echo")).toBool();
    for (const QJsonValue& value : json.value(QLatin1String("refusedCharsets")).toArray())
        state.refusedCharsets.append(value.toString());

    const QJsonObject books = json.value(QLatin1String("phonebooks")).toObject();
    state.sm = phonebookFromJson(books.value(QLatin1String("sm")).toObject(), state.sm);
    state.me = phonebookFromJson(books.value(QLatin1String("me")).toObject(), state.me);
    state.selectedPhonebook =
        stringOr(json, "selectedPhonebook", state.selectedPhonebook).toLower();
    if (!state.phonebook(state.selectedPhonebook))
        state.selectedPhonebook = QStringLiteral("sm");

    const QJsonObject extensions = json.value(QLatin1String("extensionStore")).toObject();
    state.extensionCapacity = intOr(extensions, "capacity", state.extensionCapacity);
    state.extensionUsed = intOr(extensions, "used", state.countExtensions());

    const QJsonObject messages = json.value(QLatin1String("messages")).toObject();
    state.smMessages =
        messagesFromJson(messages.value(QLatin1String("sm")).toObject(), state.smMessages);
    state.bmMessages =
        messagesFromJson(messages.value(QLatin1String("bm")).toObject(), state.bmMessages);
    state.meMessages =
        messagesFromJson(messages.value(QLatin1String("me")).toObject(), state.meMessages);
    state.selectedMessageStorage =
        stringOr(json, "selectedMessageStorage", state.selectedMessageStorage).toLower();
    if (!state.messageStorage(state.selectedMessageStorage))
        state.selectedMessageStorage = QStringLiteral("sm");

    const QJsonObject centre = json.value(QLatin1String("serviceCentre")).toObject();
    state.serviceCentre = stringOr(centre, "address", state.serviceCentre);
    state.serviceCentreType = intOr(centre, "type", state.serviceCentreType);

    const QJsonObject settings = json.value(QLatin1String("messageSettings")).toObject();
    state.messageFormat = intOr(settings, "format", state.messageFormat);
    state.showHeader = intOr(settings, "showHeader", state.showHeader);
    state.sendFirstOctet = intOr(settings, "firstOctet", state.sendFirstOctet);
    state.sendValidity = intOr(settings, "validity", state.sendValidity);
    state.sendProtocolId = intOr(settings, "protocolId", state.sendProtocolId);
    state.sendCoding = intOr(settings, "coding", state.sendCoding);
    state.newMessageIndication =
        stringOr(settings, "newMessageIndication", state.newMessageIndication);
    for (const QJsonValue& value : json.value(QLatin1String("outbox")).toArray())
        state.outbox.push_back(messageFromJson(value.toObject()));
    state.nextMessageReference = intOr(json, "nextMessageReference", state.nextMessageReference);

    const QJsonObject schedule = json.value(QLatin1String("schedule")).toObject();
    state.scheduleCapacity = intOr(schedule, "capacity", state.scheduleCapacity);
    for (const QJsonValue& value : schedule.value(QLatin1String("entries")).toArray()) {
        const QJsonObject entry = value.toObject();
        const int index = intOr(entry, "index", -1);
        if (index >= 0)
            state.schedule[index] = scheduleEntryFromJson(entry);
    }

    const QJsonObject todo = json.value(QLatin1String("todo")).toObject();
    state.todoCapacity = intOr(todo, "capacity", state.todoCapacity);
    for (const QJsonValue& value : todo.value(QLatin1String("items")).toArray()) {
        const QJsonObject item = value.toObject();
        const int index = intOr(item, "index", -1);
        if (index >= 0)
            state.todos[index] = todoFromJson(item);
    }
    return state;
}

QJsonObject PhoneSimState::toJson() const {
    QJsonArray scheduleEntries;
    for (const auto& [index, entry] : schedule)
        scheduleEntries.append(scheduleEntryToJson(index, entry));
    QJsonArray todoItems;
    for (const auto& [index, item] : todos)
        todoItems.append(todoToJson(index, item));
    QJsonArray sent;
    for (const PhoneSimMessage& message : outbox)
        sent.append(messageToJson(message));

    QJsonObject json{
        {"maker", maker},
        {"featureMask", featureMask},
        {"echo", echo},
        {"phonebooks", QJsonObject{{"sm", phonebookToJson(sm)}, {"me", phonebookToJson(me)}}},
        {"selectedPhonebook", selectedPhonebook},
        {"extensionStore", QJsonObject{{"capacity", extensionCapacity}, {"used", extensionUsed}}},
        {"messages", QJsonObject{{"sm", messagesToJson(smMessages)},
                                 {"bm", messagesToJson(bmMessages)},
                                 {"me", messagesToJson(meMessages)}}},
        {"selectedMessageStorage", selectedMessageStorage},
        {"serviceCentre", QJsonObject{{"address", serviceCentre}, {"type", serviceCentreType}}},
        {"messageSettings", QJsonObject{{"format", messageFormat},
                                        {"showHeader", showHeader},
                                        {"firstOctet", sendFirstOctet},
                                        {"validity", sendValidity},
                                        {"protocolId", sendProtocolId},
                                        {"coding", sendCoding},
                                        {"newMessageIndication", newMessageIndication}}},
        {"outbox", sent},
        {"nextMessageReference", nextMessageReference},
        {"schedule", QJsonObject{{"capacity", scheduleCapacity}, {"entries", scheduleEntries}}},
        {"todo", QJsonObject{{"capacity", todoCapacity}, {"items", todoItems}}},
    };
    if (!refusedCharsets.isEmpty())
        json.insert("refusedCharsets", QJsonArray::fromStringList(refusedCharsets));
    return json;
}
