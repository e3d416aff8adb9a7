// A collection killed at any moment loses no record it has acknowledged: a child process
// stores records and reports each one after AddRecord returns; it is killed with SIGKILL at a
// random moment, again and again on the same files, and every reported record must then be in
// its month file, with its waiting card when it has one, and nothing stored twice.
#include <gtest/gtest.h>

#include <QDir>
#include <QMap>
#include <QProcess>
#include <QSet>
#include <random>
#include <thread>

#include "ArchiveSupport.h"
#include "CrashRecords.h"
#include "support/TestInstall.h"

namespace {

constexpr int kRounds = 25;
constexpr int kRoundSpan = 100000;  // round r stores the records r * kRoundSpan, ...

// Reads the indexes the child has written so far.
void ReadAcknowledged(QProcess& child, QByteArray& pending, QSet<int>& acknowledged, int& count) {
  pending += child.readAllStandardOutput();
  int end;
  while ((end = pending.indexOf('\n')) >= 0) {
    acknowledged.insert(pending.left(end).toInt());
    ++count;
    pending.remove(0, end + 1);
  }
}

}  // namespace

class CrashSafety : public FreshInstall {};

TEST_F(CrashSafety, AKilledCollectionLosesNoAcknowledgedRecord) {
  std::mt19937 random(20090905);
  QSet<int> acknowledged;
  int killedInFlight = 0;
  for (int round = 0; round < kRounds; ++round) {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QStringLiteral(ARCHIVE_COLLECTOR),
                {installDir->path(), QString::number(round * kRoundSpan)});
    ASSERT_TRUE(child.waitForStarted(10000));
    // Let it acknowledge some records (a different number each round), then kill it a few
    // hundred microseconds to a few milliseconds later: in a lookup, an insert, a commit, an
    // attach or the copy of the template.
    const int target = std::uniform_int_distribution<int>(1, 120)(random);
    QByteArray pending;
    int count = 0;
    while (count < target && child.state() == QProcess::Running) {
      child.waitForReadyRead(10000);
      ReadAcknowledged(child, pending, acknowledged, count);
    }
    ASSERT_EQ(child.state(), QProcess::Running)
        << "the collector stopped by itself in round " << round;
    std::this_thread::sleep_for(
        std::chrono::microseconds(std::uniform_int_distribution<int>(0, 4000)(random)));
    child.kill();  // SIGKILL
    ASSERT_TRUE(child.waitForFinished(10000));
    ReadAcknowledged(child, pending, acknowledged, count);  // written before the kill
    ++killedInFlight;
  }
  ASSERT_EQ(killedInFlight, kRounds);

  // Everything stored, month file by month file (a read-write connection rolls back the hot
  // journal the last kill may have left).
  QMap<int, int> stored;  // index -> times stored
  QSet<int> manageCards;
  const QStringList files =
      QDir(Path("database")).entryList({"20????.sqb"}, QDir::Files, QDir::Name);
  ASSERT_FALSE(files.isEmpty());
  for (const QString& file : files) {
    const QString path = Path("database/" + file);
    EXPECT_EQ(ReadRows(path, "pragma integrity_check"), QStringList({"ok"})) << file.toStdString();
    for (const QString& row : ReadRows(path, "select UID, EventType, IoDate from IoData")) {
      const QStringList values = row.split('|');
      const int index = values[0].toInt();
      const TCrashRecord expected = CrashRecord(index);
      EXPECT_EQ(values[2], expected.time) << "record " << index;
      EXPECT_EQ(file.left(6), expected.time.left(7).remove('-')) << "record " << index;
      ++stored[index];
      if (values[1] == "6") manageCards.insert(index);
    }
  }
  EXPECT_EQ(ReadRows(Path("Gatewarden.sqb"), "pragma integrity_check"), QStringList({"ok"}));

  for (int index : acknowledged) EXPECT_EQ(stored.value(index), 1) << "record " << index;
  int unacknowledged = 0;
  for (auto it = stored.cbegin(); it != stored.cend(); ++it) {
    EXPECT_EQ(it.value(), 1) << "record " << it.key() << " stored twice";
    if (!acknowledged.contains(it.key())) ++unacknowledged;
  }
  // At most the record in flight at each kill can be stored without having been reported.
  EXPECT_LE(unacknowledged, kRounds);

  // A waiting card exists exactly for each stored manage-card record: the two files of one
  // record were committed together or not at all.
  QSet<int> waiting;
  for (const QString& card : ReadRows(Path("Gatewarden.sqb"), "select CardNo from WaitingCard")) {
    waiting.insert(card.toInt());
  }
  EXPECT_EQ(waiting, manageCards);
  EXPECT_GT(acknowledged.size(), kRounds);
}
