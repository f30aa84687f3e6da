#include "platform/brelt/Brelt.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutex>
#include <QMutexLocker>
#include <QResource>

namespace {

QMutex g_mutex;
QString g_registered;             // the file registered, empty when none
QHash<int, QString> g_strings;    // read once per load

QByteArray ReadResource(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

CBrelt::MenuItem ParseItem(const QJsonObject& o, int depth)
{
    CBrelt::MenuItem item;
    item.separator = o.value("separator").toBool(false);
    item.id = o.value("id").toInt(0);
    item.text = o.value("text").toString();
    item.shortcut = o.value("shortcut").toString();
    // A menu nests a few levels at most; deeper nesting is a damaged file.
    if (depth < 8) {
        const QJsonArray children = o.value("items").toArray();
        for (const QJsonValue& c : children)
            if (c.isObject())
                item.children.push_back(ParseItem(c.toObject(), depth + 1));
    }
    return item;
}

}  // namespace

bool CBrelt::Load(const QString& rccPath)
{
    QMutexLocker lock(&g_mutex);
    if (!g_registered.isEmpty()) {
        QResource::unregisterResource(g_registered);
        g_registered.clear();
    }
    g_strings.clear();
    if (!QFileInfo(rccPath).isFile() || !QResource::registerResource(rccPath))
        return false;
    g_registered = rccPath;

    const QJsonDocument doc = QJsonDocument::fromJson(ReadResource(StringsPath()));
    const QJsonObject table = doc.object();
    for (auto it = table.begin(); it != table.end(); ++it) {
        bool ok = false;
        const int id = it.key().toInt(&ok);
        if (ok && it.value().isString())
            g_strings.insert(id, it.value().toString());
    }
    return true;
}

void CBrelt::Unload()
{
    QMutexLocker lock(&g_mutex);
    if (!g_registered.isEmpty())
        QResource::unregisterResource(g_registered);
    g_registered.clear();
    g_strings.clear();
}

bool CBrelt::IsLoaded()
{
    QMutexLocker lock(&g_mutex);
    return !g_registered.isEmpty();
}

QImage CBrelt::Bitmap(int id)
{
    return QImage(BitmapPath(id));
}

QIcon CBrelt::Icon(int id)
{
    const QString path = IconPath(id);
    if (!QFileInfo::exists(path))
        return {};
    return QIcon(path);
}

QString CBrelt::String(int id)
{
    QMutexLocker lock(&g_mutex);
    return g_strings.value(id);
}

std::vector<CBrelt::MenuItem> CBrelt::Menu(int id)
{
    std::vector<MenuItem> items;
    const QJsonDocument doc = QJsonDocument::fromJson(ReadResource(MenuPath(id)));
    for (const QJsonValue& v : doc.array())
        if (v.isObject())
            items.push_back(ParseItem(v.toObject(), 0));
    return items;
}

QString CBrelt::BitmapPath(int id) { return QStringLiteral(":/brelt/bitmap/%1.png").arg(id); }
QString CBrelt::IconPath(int id) { return QStringLiteral(":/brelt/icon/%1.png").arg(id); }
QString CBrelt::MenuPath(int id) { return QStringLiteral(":/brelt/menu/%1.json").arg(id); }
QString CBrelt::StringsPath() { return QStringLiteral(":/brelt/strings.json"); }
