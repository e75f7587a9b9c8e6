inherited FormCustomer: TFormCustomer
  Caption = 'Customer'
  PixelsPerInch = 96
  TextHeight = 13
  inherited TitlePanel: TPanel
    Caption = 'New customer'
    Color = clTeal
  end
  inherited ButtonPanel: TPanel
    inherited OkButton: TButton
      Caption = 'Save'
    end
  end
  inherited StatusBar1: TStatusBar
    SimpleText = 'Enter the customer'#39's name and address'
  end
  object NameLabel: TLabel [3]
    Left = 16
    Top = 60
    Width = 28
    Height = 13
    Caption = 'Name'
  end
  object NameEdit: TEdit [4]
    Left = 80
    Top = 56
    Width = 200
    Height = 21
    TabOrder = 2
    OnChange = NameEditChange
  end
  inline Address1: TFrameAddress
    Left = 8
    Top = 92
    Width = 416
    Height = 90
    TabOrder = 3
    inherited StreetLabel: TLabel
      Caption = 'Road'
    end
    inherited CityEdit: TEdit
      Text = 'Utrecht'
    end
  end
end
