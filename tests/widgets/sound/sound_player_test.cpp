#include "app/qt/sound_player.h"

#include <QCoreApplication>
#include <QFile>
#include <QSoundEffect>
#include <QTest>
#include <QtEndian>

#include <gtest/gtest.h>

#include <vector>

using namespace kalvex;

namespace {

std::vector<std::string> allStoredNames()
{
    std::vector<std::string> names;
    for (Cue cue : {Cue::Click, Cue::Entered, Cue::Right, Cue::Wrong, Cue::Time, Cue::TimeUp,
                    Cue::RoundOver, Cue::Winner, Cue::Turn, Cue::Mention})
        names.emplace_back(cueName(cue, TurnSound::Classic));
    names.emplace_back(cueName(Cue::Turn, TurnSound::New));
    for (int n = 1; n <= kChatterSoundCount; ++n)
        names.push_back(chatterSoundName(n));
    return names;
}

QByteArray storedBytes(const std::string &name)
{
    QFile file(QStringLiteral(":/sounds/%1.wav").arg(QString::fromStdString(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct WaveFormat
{
    quint16 format = 0;
    quint16 channels = 0;
    quint32 rate = 0;
    quint16 bits = 0;
    quint32 dataBytes = 0;
};

// Walks the chunks of a RIFF WAVE file; nothing when it is not one.
std::optional<WaveFormat> waveFormat(const QByteArray &bytes)
{
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return std::nullopt;
    WaveFormat wave;
    bool haveFormat = false;
    qsizetype at = 12;
    while (at + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(at, 4);
        const quint32 size = qFromLittleEndian<quint32>(bytes.constData() + at + 4);
        const char *body = bytes.constData() + at + 8;
        if (at + 8 + qsizetype(size) > bytes.size())
            return std::nullopt;
        if (id == "fmt " && size >= 16) {
            wave.format = qFromLittleEndian<quint16>(body);
            wave.channels = qFromLittleEndian<quint16>(body + 2);
            wave.rate = qFromLittleEndian<quint32>(body + 4);
            wave.bits = qFromLittleEndian<quint16>(body + 14);
            haveFormat = true;
        } else if (id == "data") {
            wave.dataBytes = size;
        }
        at += 8 + size + (size & 1);
    }
    if (!haveFormat || wave.dataBytes == 0)
        return std::nullopt;
    return wave;
}

QStringList capturedMessages;

void captureMessages(QtMsgType, const QMessageLogContext &, const QString &text)
{
    capturedMessages << text;
}

} // namespace

// First, so that it also sees what the audio backend says when it starts.
TEST(SoundPlayerWithoutAudio, PlaysNothingAndSaysNothing)
{
    capturedMessages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(captureMessages);
    {
        SoundPlayer player;
        SoundCues cues(player);
        cues.playsounds(Cue::Entered);
        cues.playsounds(Cue::Turn);
        cues.playChatter("wave13");
        player.play("no such sound");
        player.play("");
        QTest::qWait(100);
    }
    qInstallMessageHandler(previous);
    EXPECT_TRUE(capturedMessages.isEmpty()) << capturedMessages.join('\n').toStdString();
}

TEST(SoundPlayerWithoutAudio, StartsTheAudioBackendOnlyWhenPreparedOrAtTheFirstSound)
{
    SoundPlayer waiting;
    EXPECT_FALSE(waiting.prepared());
    EXPECT_TRUE(waiting.findChildren<QSoundEffect *>().isEmpty());
    waiting.prepare();
    EXPECT_TRUE(waiting.prepared());

    SoundPlayer played;
    played.play("click");
    EXPECT_TRUE(played.prepared()) << "the first sound starts the backend itself";
}

TEST(StoredSounds, EveryCueAndChatterSoundIsStored)
{
    for (const std::string &name : allStoredNames())
        EXPECT_TRUE(hasStoredSound(name)) << name;
    EXPECT_TRUE(hasStoredSound("WAVE13"));
    EXPECT_TRUE(hasStoredSound("TurnNew"));
    for (const char *name : {"", "wave21", "nothing", "../click", ":/sounds/click", "click.wav"})
        EXPECT_FALSE(hasStoredSound(name)) << name;
}

TEST(StoredSounds, AreShortPlainMonoPcmAndSmallTogether)
{
    qsizetype total = 0;
    for (const std::string &name : allStoredNames()) {
        const QByteArray bytes = storedBytes(name);
        total += bytes.size();
        const std::optional<WaveFormat> wave = waveFormat(bytes);
        ASSERT_TRUE(wave) << name << " is not a RIFF WAVE file";
        EXPECT_EQ(wave->format, 1) << name << " is not plain PCM";
        EXPECT_EQ(wave->channels, 1) << name;
        EXPECT_TRUE(wave->rate == 11025 || wave->rate == 22050) << name << " " << wave->rate;
        EXPECT_TRUE(wave->bits == 8 || wave->bits == 16) << name << " " << wave->bits;
        const double seconds =
            double(wave->dataBytes) / (wave->rate * (wave->bits / 8) * wave->channels);
        EXPECT_GT(seconds, 0.05) << name;
        EXPECT_LT(seconds, 5.0) << name;
    }
    EXPECT_LT(total, 1024 * 1024);
}

TEST(StoredSounds, QtMultimediaDecodesEveryOne)
{
    initSoundResources();
    // Without an audio device Qt says so for every effect; that is expected here.
    const QtMessageHandler previous = qInstallMessageHandler(captureMessages);
    for (const std::string &name : allStoredNames()) {
        QSoundEffect effect;
        effect.setSource(
            QUrl(QStringLiteral("qrc:/sounds/%1.wav").arg(QString::fromStdString(name))));
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                return effect.status() == QSoundEffect::Ready ||
                       effect.status() == QSoundEffect::Error;
            },
            5000))
            << name;
        EXPECT_EQ(effect.status(), QSoundEffect::Ready) << name;
    }
    qInstallMessageHandler(previous);
}

// Runs only where an audio output exists (a desktop, or a sound server with a
// null sink).
TEST(SoundPlayerWithAudio, EachSoundCutsOffTheOneStillPlaying)
{
    SoundPlayer player;
    if (!player.hasAudioOutput())
        GTEST_SKIP() << "no audio output";
    const auto playing = [&] {
        QStringList sources;
        for (const QSoundEffect *effect : player.findChildren<QSoundEffect *>()) {
            if (effect->isPlaying())
                sources << effect->source().fileName();
        }
        return sources;
    };
    player.play("winner");
    EXPECT_TRUE(QTest::qWaitFor([&] { return playing() == QStringList{"winner.wav"}; }, 2000));
    player.play("Click");
    EXPECT_EQ(playing(), QStringList{"click.wav"});
    player.play("wave13");
    EXPECT_EQ(playing(), QStringList{"wave13.wav"});
    player.play("nothing stored");
    EXPECT_EQ(playing(), QStringList{"wave13.wav"});
}

TEST(SoundPlayerWithAudio, TheFirstCueOfAnUnpreparedPlayerIsHeard)
{
    SoundPlayer player;
    if (!player.hasAudioOutput())
        GTEST_SKIP() << "no audio output";
    ASSERT_TRUE(player.findChildren<QSoundEffect *>().isEmpty());
    player.play("winner");
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            for (const QSoundEffect *effect : player.findChildren<QSoundEffect *>()) {
                if (effect->isPlaying() && effect->source().fileName() == "winner.wav")
                    return true;
            }
            return false;
        },
        2000));
}
