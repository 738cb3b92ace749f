{ Jednotka pro převod teplot a formátování výsledků.
  Autor: Jiří Novák, 2003 }
unit Prevody;

{$MODE DELPHI}
{$H+}

interface

uses
  SysUtils, Classes;

type
  TStupnice = (stCelsius, stFahrenheit, stKelvin);

  TPrevodnik = class(TObject)
  private
    FHodnota: Double;  // poslední převedená hodnota
    FPocet_2: Integer; (* počet převodů *)
  public
    constructor Create;
    function Preved(const Hodnota: Double; Z, Na: TStupnice): Double;
    property Hodnota: Double read FHodnota;
  end;

function Popis(S: TStupnice): string;

implementation

{$R *.res}

const
  Znaky: array[TStupnice] of string = ('°C', '°F', 'K');
  Zprava = 'It''s done';
  Prazdny = '';
  Radek = 'první'#13#10'druhý';
  Lomitka = '// to není komentář';
  Slozena = '{ ani tohle }';

(*
   Víceřádkový komentář se závorkou a hvězdičkou.
   Uvnitř: { složená závorka }, 'apostrof' a // dvě lomítka.
*)

constructor TPrevodnik.Create;
begin
  inherited Create;
  FHodnota := 0;
  FPocet_2 := 0;
end;

function TPrevodnik.Preved(const Hodnota: Double; Z, Na: TStupnice): Double;
var
  Kelvin: Double;
begin
  case Z of   { nejdřív na kelviny }
    stCelsius:    Kelvin := Hodnota + 273.15;
    stFahrenheit: Kelvin := (Hodnota - 32) * 5 / 9 + 273.15;
  else
    Kelvin := Hodnota;
  end;
  (*)
  case Na of
    stCelsius:    Result := Kelvin - 273.15;
    stFahrenheit: Result := (Kelvin - 273.15) * 9 / 5 + 32;
  else
    Result := Kelvin;
  end;
  FHodnota := Result; Inc(FPocet_2);
  if (Result < 0) and (Na = stKelvin) then
    raise Exception.Create('Záporná teplota v kelvinech');
END;

function Popis(S: TStupnice): string;
begin
  Result := Format('Stupnice %s', [Znaky[S]]);
  // Konec_funkce, begin_end a end2 nejsou klíčová slova
  Begin_end2 := Result div 2;
end;

end.
