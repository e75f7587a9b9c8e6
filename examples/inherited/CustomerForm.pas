unit CustomerForm;

{ The customer dialog: the base dialog with a name field and an address
  frame; its title and OK button say what it does. }

interface

uses
  Classes, Controls, Forms, StdCtrls, BaseForm, AddressFrame;

type
  TFormCustomer = class(TFormBase)
    NameLabel: TLabel;
    NameEdit: TEdit;
    Address1: TFrameAddress;
  end;

var
  FormCustomer: TFormCustomer;

implementation

{$R *.dfm}

end.
