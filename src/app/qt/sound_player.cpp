#include "app/qt/sound_player.h"

#include <QAudioDevice>
#include <QFile>
#include <QLoggingCategory>
#include <QSoundEffect>
#include <QUrl>

#include <cstdio>

static void initSoundResourcesOutsideNamespace()
{
    Q_INIT_RESOURCE(sound_resources);
}

namespace kalvex {

Q_LOGGING_CATEGORY(lcSound, "kalvex.app.sound", QtWarningMsg)

namespace {

const char *const kStoredSounds[] = {
    "click",  "entered", "right",  "wrong",  "time",   "timeup", "roundover", "winner",
    "turn",   "turnnew", "wave1",  "wave2",  "wave3",  "wave4",  "wave5",     "wave6",
    "wave7",  "wave8",   "wave9",  "wave10", "wave11", "wave12", "wave13",    "wave14",
    "wave15", "wave16",  "wave17", "wave18", "wave19", "wave20", "mention",
};

// The lower-case key of a stored sound's name, or an empty text for a name
// that cannot be one (names are letters and digits, in any letter case).
QString soundKey(std::string_view name)
{
    if (name.empty() || name.size() > 16)
        return {};
    QString key;
    for (char c : name) {
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        const bool digit = c >= '0' && c <= '9';
        if (!letter && !digit)
            return {};
        key += QChar::fromLatin1(c).toLower();
    }
    return key;
}

QString resourcePath(const QString &key)
{
    return QStringLiteral(":/sounds/") + key + QStringLiteral(".wav");
}

// The PulseAudio backend warns on the console when no sound server runs; a
// machine without audio simply stays silent, so that one warning is dropped
// while the device list is first read.
QtMessageHandler previousHandler = nullptr;

void quietAudioProbe(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (text.startsWith(QLatin1String("PulseAudioService")))
        return;
    if (previousHandler)
        previousHandler(type, context, text);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

bool defaultOutputExists()
{
    static bool probed = false;
    if (!probed) {
        probed = true;
        previousHandler = qInstallMessageHandler(quietAudioProbe);
        const bool exists = !QMediaDevices::defaultAudioOutput().isNull();
        qInstallMessageHandler(previousHandler);
        return exists;
    }
    return !QMediaDevices::defaultAudioOutput().isNull();
}

} // namespace

void initSoundResources()
{
    static const bool done = [] {
        initSoundResourcesOutsideNamespace();
        return true;
    }();
    (void)done;
}

bool hasStoredSound(std::string_view name)
{
    initSoundResources();
    const QString key = soundKey(name);
    return !key.isEmpty() && QFile::exists(resourcePath(key));
}

SoundPlayer::SoundPlayer(QObject *parent) : QObject(parent)
{
    initSoundResources();
}

void SoundPlayer::prepare()
{
    if (prepared())
        return;
    // Asked first, so that the audio backend starts with its warning dropped.
    const bool audio = hasAudioOutput();
    devices = std::make_unique<QMediaDevices>();
    connect(devices.get(), &QMediaDevices::audioOutputsChanged, this, [this] {
        // A new default device: effects bound to the old one are rebuilt.
        dropEffects();
        loadEffects();
    });
    if (audio)
        loadEffects();
}

SoundPlayer::~SoundPlayer() = default;

bool SoundPlayer::hasAudioOutput() const
{
    return defaultOutputExists();
}

void SoundPlayer::loadEffects()
{
    if (!hasAudioOutput())
        return;
    for (const char *name : kStoredSounds) {
        auto *effect = new QSoundEffect(this);
        effect->setSource(QUrl(QStringLiteral("qrc") + resourcePath(QString::fromLatin1(name))));
        effects.emplace(QString::fromLatin1(name), effect);
    }
    qCDebug(lcSound) << "loaded" << effects.size() << "sounds";
}

void SoundPlayer::dropEffects()
{
    current = nullptr;
    for (auto &[name, effect] : effects) {
        effect->stop();
        effect->deleteLater();
    }
    effects.clear();
}

void SoundPlayer::play(std::string_view name)
{
    const QString key = soundKey(name);
    if (key.isEmpty())
        return;
    if (!prepared())
        prepare();
    else if (effects.empty())
        loadEffects();
    const auto found = effects.find(key);
    if (found == effects.end()) {
        qCDebug(lcSound) << "no stored sound" << QByteArray(name.data(), qsizetype(name.size()));
        return;
    }
    QSoundEffect *effect = found->second;
    if (current && current != effect)
        current->stop();
    effect->stop();
    effect->play();
    current = effect;
}

} // namespace kalvex
