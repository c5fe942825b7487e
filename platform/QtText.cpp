#include "platform/QtText.h"

#include "platform/Cp932.h"

#include <QFile>

QString ToQString(std::string_view cp932)
{
    const std::string utf8 = Cp932::ToUtf8(cp932);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::optional<std::string> FromQString(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return Cp932::FromUtf8(
        std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

std::filesystem::path ToPath(const QString& fileName)
{
#ifdef _WIN32
    return std::filesystem::path(fileName.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(fileName).toStdString());
#endif
}

QString FromPath(const std::filesystem::path& path)
{
#ifdef _WIN32
    return QString::fromStdWString(path.wstring());
#else
    return QFile::decodeName(path.c_str());
#endif
}
