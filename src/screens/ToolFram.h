// The tools page: a column of command buttons beside the page's help view.
#pragma once

#include <QFrame>

class QToolButton;
class THelpView;

class TframTool : public QFrame {
  Q_OBJECT

 public:
  explicit TframTool(QWidget* parent = nullptr);

  QToolButton* btn_CommSync;
  QToolButton* btn_CommQuery;
  QToolButton* btn_report;
  QToolButton* btn_config;
  QToolButton* sbPassword;
  QToolButton* btn_about;
  THelpView* wbTool;

  // Translates the page's captions again (after a language change).
  void Retranslate();

 signals:
  // The configuration dialog has closed: the language may have changed.
  void ConfigurationClosed();

 public slots:
  void btn_CommSyncClick();
  void btn_CommQueryClick();
  void btn_reportClick();
  void btn_configClick();
  void sbPasswordClick();
  void btn_aboutClick();
};
