unit AddressFrame;

{ A frame with the fields of a postal address, placed on several forms. }

interface

uses
  Classes, Controls, Forms, StdCtrls;

type
  TFrameAddress = class(TFrame)
    StreetLabel: TLabel;
    StreetEdit: TEdit;
    CityLabel: TLabel;
    CityEdit: TEdit;
    CountryBox: TGroupBox;
  end;

implementation

{$R *.dfm}

end.
