#pragma once
// TdlgSurveyDataForm ("基层以上单位数据"): the window in which one organisation's annual
// return is typed in, checked and stored. Thirteen pages (the cover and twelve sheet
// pages) hold one editor per dt_data column, each named after its column; the form loads
// the record through the field list, stores it back in one transaction with a
// RecordState that says whether it was held, saved clean or saved with logic errors, and
// runs the cover check and the page rules at the moments the program fixes.
//
// The caller sets IsAddNew (and CurrentCode when modifying), hands over the data set it
// shows (SetSourceDataset) and shows the form modally. The form works on the source's
// connection; the page rules and the message list come in through small interfaces and
// may be absent, in which case the form behaves as with an empty message list.
//
// The form's frame is built in SurveyDataFormLayout.cpp, its pages from the layout table
// in SurveyDataFormPages.cpp; loading, storing, closing and moving are in
// SurveyDataForm.cpp; the field rules, the cover's exit checks and the code pickers in
// SurveyDataFormRules.cpp; keys and focus movement in SurveyDataFormKeys.cpp.

#include "core/CoverValidation.h"
#include "core/PageRuleLinks.h"
#include "core/SurveyModel.h"
#include "core/SurveyRecordStore.h"
#include "platform/ui/Form.h"

#include <QHash>
#include <array>
#include <vector>

namespace fw {

class TADOConnection;
class TADOQuery;
class TADOTable;
class TAction;
class TActionList;
class TDataSet;
class TFwButtonEdit;
class TFwCustomEdit;
class TFwCustomPanel;
class TFwFrameController;
class TFwLabel;
class TFwNumericEdit;
class TFwPageControl;
class TFwRichEdit;
class TFwTabSheet;
class TFwToolbar;
class TFwToolButton;
class TBarImageList;
class TLabel;
class TVKValidEdit;

inline constexpr int kEntryPageCount = 13;
inline const QString kEntryFormCaption = QStringLiteral("基层以上单位数据");
// The notes folder beside the program and the notes file of each page.
inline const QString kNotesFolder = QStringLiteral("notes/");
inline const QString kNotesPrefix = QStringLiteral("TableNotesQZ-");
inline const QString kNotesSuffix = QStringLiteral(".html");

class TdlgSurveyDataForm : public TForm, public ICoverEditors, public IRuleEditors, public IRuleJumpTarget {
public:
  explicit TdlgSurveyDataForm(TComponent* owner);
  ~TdlgSurveyDataForm() override;

  // --- Set by the caller -------------------------------------------------------------
  // True: add new records; false: modify the source's current record.
  bool IsAddNew = false;
  // c901 of the record the caller opened the form on (modify mode).
  double CurrentCode = 0;
  // The data set the form loads from (the record list, or the query list's data set):
  // the form takes its connection for its own queries and reads the field list there.
  void SetSourceDataset(TDataSet* dataSet);
  TDataSet* SourceDataset() const { return sourceDataset_; }
  // The message list and the page rules; either may be null.
  void SetMessageList(IMessageList* list) { messageList_ = list; }
  IMessageList* MessageList() const { return messageList_; }
  void SetRuleChecker(IPageRuleChecker* checker) { ruleChecker_ = checker; }
  IPageRuleChecker* RuleChecker() const { return ruleChecker_; }

  // --- State ---------------------------------------------------------------------------
  // The new record has been appended once; later stores edit it.
  bool SavedOnce = false;
  // False while a record is being loaded: exit and page-change checks do not run.
  bool Loaded = false;
  // c901 of the record as loaded or as last stored; 0 for a new record.
  double LoadedCode = 0;
  // Program folder + "notes/".
  QString NotesDir;

  // --- Loading and storing -----------------------------------------------------------
  // Fills `codes` from a code table (rows with ID 0 left out, in Sequence order).
  void LoadCodeList(const QString& tableName, TMenuItemDataArray& codes);
  // Fills the editors from the source's current record, or blanks them for a new one.
  void LoadSurveyRecord();
  // Stores the editors into the current record of `dataSet` with the RecordState of the
  // mode; true when stored. A failure shows "保存过程中遇到错误：" and leaves the stored
  // row as it was.
  bool SaveSurveyRecord(TDataSet& dataSet, TStoreMode mode, bool appending);
  // The c901 proposed for a new record.
  double NextUnitCode();
  // Shows NotesDir + name + ".html" in the notes pane; a missing file leaves it empty.
  void LoadNotes(const QString& name);

  // --- Tool bar --------------------------------------------------------------------------
  void tbPrintClick();
  void tbReturnClick();
  // Hold: store without checks (RecordState 0); true when stored.
  bool tbHoldClick();
  // Save (保存记录): `sender` is the button, or null when the close query saves. True
  // when stored.
  bool tbSaveClick(TObject* sender);
  void tbCheckClick();
  // Something was changed and not stored.
  bool ChangesPending() const;

  // --- Field rules, cover checks, pickers (SurveyDataFormRules.cpp) ------------------
  // Sets c904 to the level and opens or closes the sheet fields by their rules.
  void ApplyFieldRules(int level);
  // The filling-state switch: above 2 closes and zeroes every sheet editor.
  void SetFillingState(int state);
  // Exit checks of the cover editors; a null sender is the call from loading.
  void c901Exit(TObject* sender);
  void c902Exit(TObject* sender);
  void c903Exit(TObject* sender);
  void c904Exit(TObject* sender);
  void c905Exit(TObject* sender);
  void c906Exit(TObject* sender);
  void c907Exit(TObject* sender);
  void CityNameCtrlButtonClick();
  void LevelNameButtonClick();
  void StateNameButtonClick();
  // Any change of an editor: the store buttons come on, printing goes off.
  void ContentChange();

  // --- Keys and focus (SurveyDataFormKeys.cpp) ---------------------------------------
  void EditKeyDown(TObject* sender, WORD& key, TShiftState shift);
  void EditKeyPress(TObject* sender, QChar& key);
  void c905KeyPress(TObject* sender, QChar& key);
  void EditBoxEnter(TObject* sender);
  void FocusFirstEditor();
  void FocusNextEditor(TWinControl* from);
  void FocusPrevEditor(TWinControl* from);
  void KeyDown(WORD& key, TShiftState shift) override;

  // --- Pages -----------------------------------------------------------------------------
  void DataPageChanging(int newIndex, bool& allowChange);
  void DataPageChange();
  // Moves to the first, previous, next or last record of the source after the close
  // query allowed it.
  enum class TMove { First, Prior, Next, Last };
  void Navigate(TMove move);

  // --- The editors ---------------------------------------------------------------------
  // The editor named like a dt_data column (case-insensitive), or null.
  TWinControl* Editor(const QString& name) const;
  TFwNumericEdit* NumericEditor(const QString& name) const;
  // The 156 editors of the sheet pages, in page and field order.
  const std::vector<TFwNumericEdit*>& SheetEditors() const { return sheetEditors_; }
  // The page panel of a page.
  TFwCustomPanel* PagePanel(int page) const { return panels_.at(size_t(page)); }
  // The field list as read from the source's connection.
  const TEntryFieldList& Fields() const { return fields_; }

  // Cover check.
  QString FieldText(const QString& name) const override;
  qint64 FieldIntValue(const QString& name) const override;
  void FocusField(const QString& name) override;
  void CoverCodeTaken() override;
  // Page rules.
  bool RuleEditorValue(const QString& name, double& value) const override;
  void JumpToRule(int page, const QString& field) override;

  // --- Components ------------------------------------------------------------------------
  TFwToolbar* ToolBar1 = nullptr;
  TFwToolButton* tbPrint = nullptr;
  TFwToolButton* tbReturn = nullptr;
  TFwToolButton* tbHold = nullptr;
  TFwToolButton* tbAdd = nullptr;
  TFwToolButton* tbSave = nullptr;
  TFwToolButton* tbCheck = nullptr;
  TFwToolbar* NavBar = nullptr;
  TActionList* ActionList1 = nullptr;
  TAction* actFirst = nullptr;
  TAction* actPrev = nullptr;
  TAction* actNext = nullptr;
  TAction* actLast = nullptr;
  TLabel* ItemNo = nullptr;
  TBarImageList* ToolImages = nullptr;
  TFwPageControl* DataPage = nullptr;
  std::array<TFwTabSheet*, kEntryPageCount> Pages{};
  TFwRichEdit* rtfNotes = nullptr;
  TFwFrameController* BoxFrameController = nullptr;
  TFwFrameController* LineFrameController = nullptr;

  TFwNumericEdit* c901 = nullptr;
  TVKValidEdit* c902 = nullptr;
  TFwNumericEdit* c903 = nullptr;
  TFwNumericEdit* c904 = nullptr;
  TFwNumericEdit* c907 = nullptr;
  TVKValidEdit* c905 = nullptr;
  TVKValidEdit* c906 = nullptr;
  TFwButtonEdit* CityNameCtrl = nullptr;
  TFwButtonEdit* LevelName = nullptr;
  TFwButtonEdit* StateName = nullptr;

  TADOQuery* RecordQuery = nullptr;
  TADOQuery* QueryTool = nullptr;
  TADOTable* CodeTable = nullptr;

protected:
  void DoShow() override;
  void DoHide() override;

private:
  // An editor bound to its field-list row.
  struct TBoundField {
    const TEntryField* Field = nullptr;
    TWinControl* Control = nullptr;
    TFwNumericEdit* Numeric = nullptr; // numeric editors
    TVKValidEdit* Text = nullptr;      // text editors
  };

  // Layout (SurveyDataFormLayout.cpp, SurveyDataFormPages.cpp).
  void CreateDataComponents();
  void CreateImages();
  void CreateToolBar();
  void CreateNavigation();
  void CreatePages();
  void CreateNotesPane();
  void BuildCoverPage(TFwCustomPanel* panel);
  void BuildSheetPage(int page, TFwCustomPanel* panel);
  TFwLabel* AddCell(TFwCustomPanel* panel, const QRect& r, const QString& caption, int alignment);
  void AddTitle(TFwCustomPanel* panel, int page, int width);
  void CreateCoverEditors(TFwCustomPanel* panel);
  TFwButtonEdit* CreatePicker(TFwCustomPanel* panel, const QString& name, const QString& hint);
  TFwNumericEdit* CreateSheetEditor(TFwCustomPanel* panel, const QString& name);
  void SetUpEditor(TFwCustomEdit* edit, TFwCustomPanel* panel, const QString& name, TFwFrameController* controller);
  void ApplyFieldListToEditors();

  // Loading and storing.
  TADOConnection* Connection() const;
  void LoadSheetTitles(TADOConnection& connection);
  double SourceCode() const;
  void ShowPageSilently(int page);
  void OpenRecordQuery(double code);
  void LoadFieldValues();
  void BlankFieldValues();
  void ApplyLoadRange(const TBoundField& bound);
  void ApplyAddDefaults();
  void ShowPositionText();
  void UpdateNavigationActions();
  std::vector<TFieldValue> CollectValues();
  bool Store(TStoreMode mode);
  void RefreshSource(double codeBefore);
  void ClearMessages();
  bool MessageListEmpty() const;
  void HideMessageList();
  bool RunAllPageRules();
  bool CoverValid();
  void RememberCoverDefaults();
  void SetStoreButtons(bool enabled);
  void FormCloseQuery(bool& canClose);

  // Rules.
  void OpenSheetEditors(bool open);
  bool RefuseCoverExit(TObject* sender, TWinControl* editor, const QString& message);
  bool SkipExitCheck(TObject* sender) const;
  int TakeCoverCode(TObject* sender, TFwNumericEdit* edit, TFwButtonEdit* picker, const TMenuItemDataArray& codes,
                    const QString& message);

  // Focus.
  std::vector<TWinControl*> PageTabOrder(int page) const;
  bool FocusAlong(int page, TWinControl* from, bool forward);

  TDataSet* sourceDataset_ = nullptr;
  TADOConnection* fieldListConnection_ = nullptr;
  QString fieldListFile_;
  IMessageList* messageList_ = nullptr;
  IPageRuleChecker* ruleChecker_ = nullptr;
  // Set while the form turns pages itself, without the page-change checks.
  bool silentPageChange_ = false;
  // Set while an exit check puts the focus back into its editor.
  bool refusingExit_ = false;
  // Something was changed since the record was loaded or last stored (held or saved).
  // The store buttons do not tell it alone: a hold leaves 保存记录 on, the filling state
  // above 2 turns 临时保存 off, and a refused code turns both off with the changes unstored.
  bool changesPending_ = false;
  TEntryFieldList fields_;
  std::vector<TBoundField> bound_;
  QHash<QString, TWinControl*> editors_; // by lower-case name
  std::vector<TFwNumericEdit*> sheetEditors_;
  std::array<TFwCustomPanel*, kEntryPageCount> panels_{};
  QHash<QString, TFwLabel*> captions_;   // caption cell of each sheet editor
  QHash<QString, QString> units_;        // unit of each sheet editor
  std::array<TFwLabel*, kEntryPageCount> titles_{};
};

// The form the program entry creates at start.
extern TdlgSurveyDataForm* dlgSurveyDataForm;

} // namespace fw
