#include "model/bll_Card.h"

#include "app/u_Function.h"
#include "model/bll_Rows.h"

std::vector<TCardInfo> TCardOperater::GetWaitingCards(bool ascending) {
  OpenQuery(QStringLiteral("SELECT Id, CardNo, IssueTime FROM WaitingCard where CardNo not in "
                           "(select UCard from UserInfo where UCard is not null) ") +
                (ascending ? QStringLiteral(" order by IssueTime asc, CardNo")
                           : QStringLiteral(" order by IssueTime desc, CardNo")),
            FQuery);
  std::vector<TCardInfo> cards;
  cards.reserve(FQuery.RecordCount());
  for (FQuery.First(); !FQuery.Eof(); FQuery.Next()) {
    TCardInfo card;
    card.Id = FQuery.FieldByName(QStringLiteral("Id")).AsInteger();
    card.CardNo = FQuery.FieldByName(QStringLiteral("CardNo")).AsString();
    card.IssueTime = FQuery.FieldByName(QStringLiteral("IssueTime")).AsString();
    cards.push_back(card);
  }
  return cards;
}

void TCardOperater::AddWaitingCardAt(const QString& card, const QDateTime& time) {
  ExecSQL(QStringLiteral("insert into Waitingcard(CardNo,issueTime) values('") + QuotedSql(card) +
          QStringLiteral("','") + FormatDateTimeText(time) + QStringLiteral("')"));
}

void TCardOperater::DeleteWaitingCard(int id) {
  ExecSQL(QStringLiteral("delete from WaitingCard where Id=") + QString::number(id));
}

void TCardOperater::DeleteWaitingCardNo(const QString& card) {
  ExecSQL(QStringLiteral("delete from WaitingCard where CardNo='") + QuotedSql(card) +
          QStringLiteral("' "));
}

bool TCardOperater::CardUsedByOther(const QString& card, int userKey) {
  return RowsExist(QStringLiteral("SELECT UKey FROM UserInfo where UCard='") + QuotedSql(card) +
                       QStringLiteral("' and  UKey<>") + QString::number(userKey),
                   FQuery);
}

QString TCardOperater::PadCardNo(const QString& card) {
  if (card.isEmpty() || card.size() >= 8) return card;
  return QString(8 - card.size(), QLatin1Char('0')) + card;
}
