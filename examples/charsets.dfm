object CharsetsForm: TCharsetsForm
  Left = 200
  Top = 120
  Width = 360
  Height = 200
  Caption = 'Captions in two character sets'
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  OldCreateOrder = False
  PixelsPerInch = 96
  TextHeight = 13
  object LabelChinese: TLabel
    Left = 16
    Top = 16
    Width = 120
    Height = 12
    Caption = 'і∞ће„йЉю'
    Font.Charset = GB2312_CHARSET
    Font.Color = clWindowText
    Font.Height = -12
    Font.Name = 'Ћќће'
    Font.Style = []
    ParentFont = False
  end
  object LabelRussian: TLabel
    Left = 16
    Top = 48
    Width = 120
    Height = 13
    Caption = 'ѕривет, мир'
    Font.Charset = RUSSIAN_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'MS Sans Serif'
    Font.Style = []
    ParentFont = False
  end
  object ButtonRussian: TButton
    Left = 16
    Top = 80
    Width = 150
    Height = 25
    Caption = '«акрыть'
    Font.Charset = RUSSIAN_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'MS Sans Serif'
    Font.Style = []
    ParentFont = False
    TabOrder = 0
    OnClick = ButtonRussianClick
  end
  object EditWestern: TEdit
    Left = 16
    Top = 120
    Width = 150
    Height = 21
    TabOrder = 1
    Text = 'Grьяe'
  end
end
