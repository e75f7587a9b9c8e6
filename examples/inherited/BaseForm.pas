unit BaseForm;

{ The dialog every data-entry window of the demo inherits: a title band,
  a bottom bar with OK and Cancel, and a status line. }

interface

uses
  Classes, Controls, Forms, StdCtrls, ExtCtrls, ComCtrls;

type
  TFormBase = class(TForm)
    TitlePanel: TPanel;
    ButtonPanel: TPanel;
    OkButton: TButton;
    CancelButton: TButton;
    StatusBar1: TStatusBar;
    procedure OkButtonClick(Sender: TObject);
  end;

implementation

{$R *.dfm}

procedure TFormBase.OkButtonClick(Sender: TObject);
begin
  ModalResult := mrOk;
end;

end.
