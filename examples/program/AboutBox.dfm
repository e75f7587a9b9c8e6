object AboutBox: TAboutBox
  Left = 240
  Top = 160
  BorderStyle = bsDialog
  Caption = 'About Inventory'
  ClientHeight = 110
  ClientWidth = 260
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  OldCreateOrder = False
  Position = poScreenCenter
  PixelsPerInch = 96
  TextHeight = 13
  object ProductName: TLabel
    Left = 16
    Top = 16
    Width = 60
    Height = 13
    Caption = 'Inventory 1.0'
  end
  object Copyright: TLabel
    Left = 16
    Top = 40
    Width = 150
    Height = 13
    Caption = 'A two-form example program'
  end
  object OKButton: TButton
    Left = 92
    Top = 72
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 0
  end
end
