// What the desktop's audio sink reads while the sound is on: the piece, then
// silence; a piece handed over in the middle of another, or after a stop
// whose output was let go, heard from its start.

#include "app/sound_stream.h"

#include <QtTest>

#include <vector>

namespace {
// One read of `frames` stereo frames, as the sink makes it.
std::vector<float> Read(SoundStream& stream, int frames)
{
    std::vector<float> samples(2 * frames, -1.0f);
    const qint64 bytes = static_cast<qint64>(samples.size() * sizeof(float));
    if (stream.read(reinterpret_cast<char*>(samples.data()), bytes) != bytes)
        samples.clear();
    return samples;
}
} // namespace

class TestSoundStream : public QObject {
    Q_OBJECT
private slots:
    void playsThePieceThenSilence();
    void aNewPieceStartsFromItsStart();
    void aStopSaysWhetherTheSinkHadTakenSome();
    void aPieceSetAfterAStopIsRewound();
};

void TestSoundStream::playsThePieceThenSilence()
{
    SoundStream stream(nullptr);
    stream.setPiece({1, 2, 3, 4, 5, 6});
    QVERIFY(stream.sounding());
    QCOMPARE(Read(stream, 2), (std::vector<float>{1, 2, 3, 4}));
    QCOMPARE(Read(stream, 2), (std::vector<float>{5, 6, 0, 0})); // a whole read, never short
    QVERIFY(!stream.sounding());
    QCOMPARE(stream.takenFrames(), 3);
    QCOMPARE(Read(stream, 1), (std::vector<float>{0, 0}));
}

void TestSoundStream::aNewPieceStartsFromItsStart()
{
    SoundStream stream(nullptr);
    stream.setPiece({1, 2, 3, 4});
    Read(stream, 1);
    stream.setPiece({7, 8, 9, 10});
    QCOMPARE(Read(stream, 1), (std::vector<float>{7, 8}));
}

void TestSoundStream::aStopSaysWhetherTheSinkHadTakenSome()
{
    SoundStream stream(nullptr);
    stream.setPiece({1, 2});
    QVERIFY(!stream.clear()); // nothing read: nothing in the output to drop
    stream.setPiece({1, 2});
    Read(stream, 1);
    QVERIFY(stream.clear());
    QVERIFY(!stream.clear()); // silence only: a second stop leaves the output alone
    QCOMPARE(Read(stream, 1), (std::vector<float>{0, 0}));
}

void TestSoundStream::aPieceSetAfterAStopIsRewound()
{
    SoundStream stream(nullptr);
    stream.setPiece({1, 2, 3, 4});
    Read(stream, 1);
    stream.clear();
    const quint64 stopped = stream.pieceNumber();
    stream.rewindIfNewer(stopped); // nothing since the stop: silence stays
    QCOMPARE(Read(stream, 1), (std::vector<float>{0, 0}));
    stream.setPiece({5, 6, 7, 8});
    Read(stream, 1); // taken by the output that the stop lets go
    stream.rewindIfNewer(stopped);
    QCOMPARE(Read(stream, 2), (std::vector<float>{5, 6, 7, 8}));
}

QTEST_MAIN(TestSoundStream)
#include "test_sound_stream.moc"
