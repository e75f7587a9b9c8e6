object FrameAddress: TFrameAddress
  Left = 0
  Top = 0
  Width = 400
  Height = 90
  TabOrder = 0
  object StreetLabel: TLabel
    Left = 8
    Top = 12
    Width = 28
    Height = 13
    Caption = 'Street'
  end
  object CityLabel: TLabel
    Left = 8
    Top = 40
    Width = 17
    Height = 13
    Caption = 'City'
  end
  object StreetEdit: TEdit
    Left = 72
    Top = 8
    Width = 200
    Height = 21
    TabOrder = 0
  end
  object CityEdit: TEdit
    Left = 72
    Top = 36
    Width = 200
    Height = 21
    TabOrder = 1
  end
end
