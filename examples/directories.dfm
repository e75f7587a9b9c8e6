object Form1: TForm1
  Left = 200
  Top = 120
  Width = 640
  Height = 360
  Caption = 'Directory outlines'
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  OldCreateOrder = False
  Position = poScreenCenter
  PixelsPerInch = 96
  TextHeight = 13
  object LowerLabel: TLabel
    Left = 8
    Top = 8
    Width = 64
    Height = 13
    Caption = 'tcLowerCase'
  end
  object UpperLabel: TLabel
    Left = 164
    Top = 8
    Width = 64
    Height = 13
    Caption = 'tcUpperCase'
  end
  object AsIsLabel: TLabel
    Left = 320
    Top = 8
    Width = 40
    Height = 13
    Caption = 'tcAsIs'
  end
  object OutlineLabel: TLabel
    Left = 476
    Top = 8
    Width = 40
    Height = 13
    Caption = 'TOutline'
  end
  object LowerOutline: TDirectoryOutline
    Left = 8
    Top = 24
    Width = 148
    Height = 289
    ItemHeight = 16
    Options = [ooDrawTreeRoot, ooDrawFocusRect]
    TabOrder = 0
    OnChange = LowerOutlineChange
  end
  object UpperOutline: TDirectoryOutline
    Left = 164
    Top = 24
    Width = 148
    Height = 289
    ItemHeight = 16
    TabOrder = 1
    TextCase = tcUpperCase
  end
  object AsIsOutline: TDirectoryOutline
    Left = 320
    Top = 24
    Width = 148
    Height = 289
    Color = clInfoBk
    ItemHeight = 18
    TabOrder = 2
    TextCase = tcAsIs
  end
  object Outline1: TOutline
    Left = 476
    Top = 24
    Width = 148
    Height = 289
    ItemHeight = 16
    Lines.Strings = (
      'Animals'
      #9'Cats'
      #9#9'Tabby'
      #9'Dogs'
      'Plants'
      #9'Trees'
      #9#9'Oak'
      #9#9'Birch')
    OutlineStyle = osTreePictureText
    TabOrder = 3
  end
end
