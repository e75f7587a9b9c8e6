object Form2: TForm2
  Left = 507
  Top = 256
  Width = 492
  Height = 381
  Caption = 'Form2'
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  OldCreateOrder = True
  OnMouseMove = FormMouseMove
  PixelsPerInch = 96
  TextHeight = 13
end
