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

#include <cstring>
#include <vector>

namespace {

QMutex g_mutex;
QByteArray g_data;                // the registered file's bytes, empty when none
QHash<int, QString> g_strings;    // read once per load

// The file is read once; anything larger is not ours.
constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;

quint32 Be32(const uchar* p) { return quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | p[3]; }
quint16 Be16(const uchar* p) { return quint16(p[0] << 8 | p[1]); }

// Qt trusts the offsets inside a resource file, so a damaged file would make it read outside
// the buffer. Before registering, walk the whole tree from the root (a directory) the way the
// lookups will and check that every node, name and data block lies inside the file, that no
// node is reached twice, and that nothing is compressed (the build never compresses).
bool IsSoundResourceFile(const QByteArray& bytes)
{
    const auto* b = reinterpret_cast<const uchar*>(bytes.constData());
    const qint64 size = bytes.size();
    if (size < 20 || std::memcmp(b, "qres", 4) != 0)
        return false;
    const quint32 version = Be32(b + 4);
    if (version < 1 || version > 3 || (version >= 3 && size < 24))
        return false;
    const qint64 tree = Be32(b + 8);
    const qint64 data = Be32(b + 12);
    const qint64 names = Be32(b + 16);
    if (tree >= size || data >= size || names >= size)
        return false;
    const qint64 nodeSize = version >= 2 ? 22 : 14;
    const qint64 nodeCount = (size - tree) / nodeSize;
    auto nameFits = [&](qint64 offset) {
        const qint64 at = names + offset;
        return at + 6 <= size && at + 6 + 2 * qint64(Be16(b + at)) <= size;
    };
    std::vector<bool> seen(static_cast<size_t>(nodeCount), false);
    std::vector<qint64> pending{0};
    while (!pending.empty()) {
        const qint64 index = pending.back();
        pending.pop_back();
        if (index >= nodeCount || seen[static_cast<size_t>(index)])
            return false;
        seen[static_cast<size_t>(index)] = true;
        const uchar* node = b + tree + index * nodeSize;
        if (!nameFits(Be32(node)))
            return false;
        const quint16 flags = Be16(node + 4);
        if (index == 0 && !(flags & 0x2))
            return false;  // the lookups read the root as a directory, whatever it says
        if (flags & 0x2) {  // a directory: its children are a run of nodes
            const qint64 count = Be32(node + 6);
            const qint64 first = Be32(node + 10);
            if (count > nodeCount || first > nodeCount - count)
                return false;
            for (qint64 child = first; child < first + count; ++child)
                pending.push_back(child);
        } else {
            if (flags & (0x1 | 0x4))
                return false;
            const qint64 at = data + Be32(node + 10);
            if (at + 4 > size || at + 4 + qint64(Be32(b + at)) > size)
                return false;
        }
    }
    return true;
}

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
    item.radio = o.value("radio").toBool(false);
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
    if (!g_data.isEmpty()) {
        QResource::unregisterResource(reinterpret_cast<const uchar*>(g_data.constData()));
        g_data.clear();
    }
    g_strings.clear();
    QFile file(rccPath);
    if (rccPath.isEmpty() || !QFileInfo(rccPath).isFile() || file.size() > kMaxFileSize ||
        !file.open(QIODevice::ReadOnly))
        return false;
    QByteArray bytes = file.read(kMaxFileSize + 1);
    if (bytes.size() > kMaxFileSize || !IsSoundResourceFile(bytes) ||
        !QResource::registerResource(reinterpret_cast<const uchar*>(bytes.constData())))
        return false;
    g_data = std::move(bytes);

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
    if (!g_data.isEmpty())
        QResource::unregisterResource(reinterpret_cast<const uchar*>(g_data.constData()));
    g_data.clear();
    g_strings.clear();
}

bool CBrelt::IsLoaded()
{
    QMutexLocker lock(&g_mutex);
    return !g_data.isEmpty();
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
