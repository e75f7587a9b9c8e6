program InheritedDemo;

uses
  Forms,
  BaseForm in 'BaseForm.pas' {FormBase},
  AddressFrame in 'AddressFrame.pas' {FrameAddress: TFrame},
  CustomerForm in 'CustomerForm.pas' {FormCustomer};

begin
  Application.Initialize;
  Application.CreateForm(TFormCustomer, FormCustomer);
  Application.Run;
end.
